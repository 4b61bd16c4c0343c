// sciedit.exe: the editor as a native Win32 program.

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "data/windows/Utf16.h"
#include "ui/CommandLine.h"
#include "ui/win32/ProgramOutput.h"
#include "ui/win32/ServerListWindow.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // The arguments as the C runtime split them, in UTF-16, so any file name
  // works. (CommandLineToArgvW would load shell32 at every start.)
  std::vector<std::string> arguments;
  for (int i = 0; i < __argc; ++i) arguments.push_back(sci::win32::narrow(__wargv[i]));

  const sci::CommandLine command = sci::parseCommandLine(arguments, sci::programFolder());
  switch (command.action) {
    case sci::CommandLine::Action::Print:
      sci::win32::deliverText(command.text, sci::win32::OutputKind::Information,
                              sci::applicationName());
      return 0;
    case sci::CommandLine::Action::UsageError:
      sci::win32::deliverText(command.text, sci::win32::OutputKind::Error, sci::applicationName());
      return sci::kExitUsage;
    case sci::CommandLine::Action::Run:
      break;
  }

  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                     ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&classes);
  sci::win32::ServerListWindow window(sci::setupFrom(command));
  window.runModal();
  return 0;
}
