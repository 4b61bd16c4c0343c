// The yardstick for sciedit.exe's start: the same dialog template run by a
// dialog procedure that does nothing, in a program linked the same way.

#include <windows.h>

#include <commctrl.h>

#include "ui/DialogResources.h"

namespace {

INT_PTR CALLBACK bareProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(window, LOWORD(wParam));
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                     ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&classes);
  DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_SERVERLIST_DIALOG), nullptr, bareProc, 0);
  return 0;
}
