// sciedit.exe: the editor as a native Win32 program.

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "ui/CommandLine.h"
#include "ui/win32/ProgramOutput.h"
#include "ui/win32/ServerListWindow.h"
#include "ui/win32/Utf16.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // The arguments as Windows splits them, in UTF-16, so any file name works.
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(sci::win32::narrow(wide[i]));
  LocalFree(wide);

  const sci::CommandLine command = sci::parseCommandLine(arguments);
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
  sci::win32::ServerListWindow window({command.configPath, command.listPath, command.configNamed});
  window.runModal();
  return 0;
}
