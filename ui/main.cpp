#include <QString>
#include <QStringList>
#include <cstdio>

#include "ui/CommandLine.h"
#include "ui/SettingsApp.h"

int main(int argc, char** argv) {
  // Read before the application object exists: help, version and usage errors
  // must work without a display and never show a window.
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const sci::CommandLine command = sci::parseCommandLine(arguments);
  switch (command.action) {
    case sci::CommandLine::Action::Print:
      std::fputs(command.text.toLocal8Bit().constData(), stdout);
      return std::fflush(stdout) == 0 ? 0 : 1;
    case sci::CommandLine::Action::UsageError:
      std::fputs(command.text.toLocal8Bit().constData(), stderr);
      return sci::kExitUsage;
    case sci::CommandLine::Action::Run:
      break;
  }
  sci::SettingsApp app(argc, argv);
  return app.InitInstance(command);
}
