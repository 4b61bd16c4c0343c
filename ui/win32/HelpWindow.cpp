#include "ui/win32/HelpWindow.h"

#include <string>

#include "data/windows/Utf16.h"
#include "ui/win32/ModalBox.h"
#include "ui/win32/Win32Resources.h"

namespace sci::win32 {

void showHelp(HWND owner, std::string_view title, std::string_view text) {
  const std::wstring caption = widen(title);
  // A multi-line edit breaks lines at CR LF only.
  std::wstring lines;
  for (wchar_t ch : widen(text)) {
    if (ch == L'\n') lines += L'\r';
    lines += ch;
  }
  ModalBoxHooks hooks;
  hooks.init = [&](HWND box) {
    SetWindowTextW(box, caption.c_str());
    SetDlgItemTextW(box, IDC_HELP_TEXT, lines.c_str());
    // Reading starts at the top, not with the whole text selected.
    SetFocus(GetDlgItem(box, IDOK));
    return true;
  };
  // No help hook: F1 in the help window itself has nothing more to say.
  runModalBox(IDD_HELP, owner, hooks);
}

}  // namespace sci::win32
