#pragma once
// The application: sets up Qt, runs the server list dialog as the whole
// program and ends when it closes.

#include <QApplication>

#include "ui/CommandLine.h"

namespace sci {

class SettingsApp {
 public:
  SettingsApp(int& argc, char** argv);

  // Constructs the server list dialog on the configuration the command line
  // names, opens its list, and runs the dialog modally; returns the process
  // exit code.
  int InitInstance(const CommandLine& command);

 private:
  QApplication app_;
};

}  // namespace sci
