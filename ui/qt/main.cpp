#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "ui/ApplicationName.h"
#include "ui/CommandLine.h"
#include "ui/qt/SettingsApp.h"

namespace {

// What the platform said while the application object was being made; shown
// only when that fails, after the plain reason.
std::string g_startupMessages;

// Without a display Qt gives up with a fatal message that suggests
// reinstalling and aborts the program. The user only needs to know that no
// display was reachable, and a script needs an ordinary failure code.
void startupMessageHandler(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
  if (type != QtFatalMsg) {
    if (context.category && std::string_view(context.category) != "default") {
      g_startupMessages += context.category;
      g_startupMessages += ": ";
    }
    g_startupMessages += message.toLocal8Bit().toStdString();
    g_startupMessages += '\n';
    return;
  }
  std::fputs(
      "sciedit: no display found: the editor needs a graphical session "
      "(DISPLAY or WAYLAND_DISPLAY)\n",
      stderr);
  std::fputs(g_startupMessages.c_str(), stderr);
  std::fflush(stderr);
  std::_Exit(1);
}

}  // namespace

int main(int argc, char** argv) {
  // Read before the application object exists: help, version and usage errors
  // must work without a display and never show a window. The arguments go on
  // as the bytes given, which is how file names are spelt here.
  const std::vector<std::string> arguments(argv, argv + argc);
  const sci::CommandLine command = sci::parseCommandLine(arguments, sci::programFolder());
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
  const QtMessageHandler previous = qInstallMessageHandler(startupMessageHandler);
  sci::SettingsApp app(argc, argv);
  qInstallMessageHandler(previous);
  // The platform's remarks of a start that worked go where they always went.
  if (!g_startupMessages.empty()) std::fputs(g_startupMessages.c_str(), stderr);
  g_startupMessages.clear();
  return app.InitInstance(command);
}
