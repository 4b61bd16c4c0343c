#pragma once
// The application: sets up Qt, runs the server list dialog as the whole
// program and ends when it closes.

#include <QApplication>

#include "ui/CommandLine.h"

namespace sci {

class SettingsApp {
 public:
  SettingsApp(int& argc, char** argv);

  // The whole run of the program: builds the server list dialog from the
  // command line's set-up and runs it modally until it closes; returns the
  // process exit code.
  int InitInstance(const CommandLine& command);

 private:
  QApplication app_;
};

}  // namespace sci
