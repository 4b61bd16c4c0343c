#include <cstdio>
#include <string>
#include <vector>

#include "ui/CommandLine.h"
#include "ui/qt/SettingsApp.h"

int main(int argc, char** argv) {
  // Read before the application object exists: help, version and usage errors
  // must work without a display and never show a window. The arguments go on
  // as the bytes given, which is how file names are spelt here.
  const std::vector<std::string> arguments(argv, argv + argc);
  const sci::CommandLine command = sci::parseCommandLine(arguments);
  switch (command.action) {
    case sci::CommandLine::Action::Print:
      std::fputs(command.text.c_str(), stdout);
      return std::fflush(stdout) == 0 ? 0 : 1;
    case sci::CommandLine::Action::UsageError:
      std::fputs(command.text.c_str(), stderr);
      return sci::kExitUsage;
    case sci::CommandLine::Action::Run:
      break;
  }
  sci::SettingsApp app(argc, argv);
  return app.InitInstance(command);
}
