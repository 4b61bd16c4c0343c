#pragma once
// The application: sets up Qt, runs the server list dialog as the whole
// program and ends when it closes.

#include <QApplication>

#include "ui/CommandLine.h"

namespace sci {

class SettingsApp {
 public:
  SettingsApp(int& argc, char** argv);

  // Runs the dialog modally on the configuration and list the command line
  // names; returns the process exit code.
  int run(const CommandLine& command);

 private:
  QApplication app_;
};

}  // namespace sci
