#include "ui/win32/HelpWindow.h"

#include <string>

#include "data/windows/Utf16.h"
#include "ui/win32/Win32Resources.h"

namespace sci::win32 {

namespace {

struct HelpContent {
  std::wstring title;
  std::wstring text;
};

INT_PTR CALLBACK helpProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const auto* content = reinterpret_cast<const HelpContent*>(lParam);
      SetWindowTextW(window, content->title.c_str());
      SetDlgItemTextW(window, IDC_HELP_TEXT, content->text.c_str());
      // Reading starts at the top, not with the whole text selected.
      SetFocus(GetDlgItem(window, IDOK));
      return FALSE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(window, LOWORD(wParam));
        return TRUE;
      }
      break;
    case WM_HELP:
      // F1 in the help window itself has nothing more to say.
      return TRUE;
    default:
      break;
  }
  return FALSE;
}

}  // namespace

void showHelp(HWND owner, std::string_view title, std::string_view text) {
  HelpContent content{widen(title), {}};
  // A multi-line edit breaks lines at CR LF only.
  for (wchar_t ch : widen(text)) {
    if (ch == L'\n') content.text += L'\r';
    content.text += ch;
  }
  DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_HELP), owner, helpProc,
                  reinterpret_cast<LPARAM>(&content));
}

}  // namespace sci::win32
