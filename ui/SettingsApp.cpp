#include "ui/SettingsApp.h"

#include <iostream>

#include "ui/AppIcon.h"
#include "ui/ListAtStart.h"
#include "ui/QtUserPrompts.h"
#include "ui/ServerListDialog.h"
#include "ui/Version.h"

namespace sci {

SettingsApp::SettingsApp(int& argc, char** argv) : app_(argc, argv) {
  QCoreApplication::setApplicationVersion(QString::fromLatin1(kFileVersion));
  QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
  QApplication::setWindowIcon(appIcon());
}

int SettingsApp::InitInstance(const CommandLine& command) {
  QtUserPrompts prompts;
  DialogSetup setup{prompts};
  setup.configPath = command.configPath;
  ServerListDialog dialog(std::move(setup));
  if (command.listPath) openListAtStart(dialog, *command.listPath, std::cerr);
  dialog.exec();
  return 0;
}

}  // namespace sci
