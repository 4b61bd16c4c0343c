#pragma once
// The application: sets up Qt, runs the server list dialog as the whole
// program and ends when it closes.

#include <QApplication>

namespace sci {

class SettingsApp {
 public:
  SettingsApp(int& argc, char** argv);

  // Constructs the server list dialog and runs it modally; returns the
  // process exit code.
  int InitInstance();

 private:
  QApplication app_;
};

}  // namespace sci
