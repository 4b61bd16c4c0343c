#include "ui/qt/SettingsApp.h"

#include "ui/Version.h"
#include "ui/qt/AppIcon.h"
#include "ui/qt/ServerListWindow.h"

namespace sci {

SettingsApp::SettingsApp(int& argc, char** argv) : app_(argc, argv) {
  QCoreApplication::setApplicationVersion(QString::fromLatin1(kFileVersion));
  QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
  QApplication::setWindowIcon(appIcon());
}

int SettingsApp::InitInstance(const CommandLine& command) {
  ServerListWindow dialog(setupFrom(command));
  dialog.exec();
  return 0;
}

}  // namespace sci
