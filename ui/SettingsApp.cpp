#include "ui/SettingsApp.h"

#include "ui/AppIcon.h"
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
  dialog.exec();
  return 0;
}

}  // namespace sci
