#include "ui/SettingsApp.h"

int main(int argc, char** argv) {
  sci::SettingsApp app(argc, argv);
  return app.InitInstance();
}
