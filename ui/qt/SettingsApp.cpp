#include "ui/qt/SettingsApp.h"

#include "ui/Version.h"
#include "ui/qt/AppIcon.h"
#include "ui/qt/ListAtStart.h"
#include "ui/qt/QtUserPrompts.h"
#include "ui/qt/ServerListWindow.h"

namespace sci {

SettingsApp::SettingsApp(int& argc, char** argv) : app_(argc, argv) {
  QCoreApplication::setApplicationVersion(QString::fromLatin1(kFileVersion));
  QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
  QApplication::setWindowIcon(appIcon());
}

int SettingsApp::InitInstance(const CommandLine& command) {
  QtUserPrompts prompts;
  WindowSetup setup{prompts};
  setup.configPath = command.configPath;
  setup.configNamed = command.configNamed;
  ServerListWindow dialog(std::move(setup));
  if (command.listPath) openListAtStart(dialog, *command.listPath);
  dialog.exec();
  return 0;
}

}  // namespace sci
