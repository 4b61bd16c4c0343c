#include "ui/win32/AboutBox.h"

#include "ui/DialogResources.h"
#include "ui/HelpText.h"
#include "ui/win32/HelpWindow.h"

namespace sci::win32 {

namespace {

INT_PTR CALLBACK aboutProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(window, LOWORD(wParam));
        return TRUE;
      }
      break;
    case WM_HELP:
      showHelp(window, helpTitle(), helpText(HelpTopic::About));
      return TRUE;
    default:
      break;
  }
  return FALSE;
}

}  // namespace

void showAboutBox(HWND owner) {
  DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUTBOX), owner, aboutProc, 0);
}

}  // namespace sci::win32
