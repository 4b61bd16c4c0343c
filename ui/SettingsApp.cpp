#include "ui/SettingsApp.h"

#include "ui/AppIcon.h"
#include "ui/QtUserPrompts.h"
#include "ui/ServerListDialog.h"
#include "ui/Version.h"

namespace sci {

SettingsApp::SettingsApp(int& argc, char** argv) : app_(argc, argv) {
  QCoreApplication::setApplicationVersion(QString::fromLatin1(kFileVersion));
  QApplication::setWindowIcon(appIcon());
}

int SettingsApp::InitInstance() {
  QtUserPrompts prompts;
  ServerListDialog dialog(DialogSetup{prompts});
  dialog.exec();
  return 0;
}

}  // namespace sci
