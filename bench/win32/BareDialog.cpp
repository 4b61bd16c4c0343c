// The yardstick for sciedit.exe's start: the same dialog template run by a
// dialog procedure that does nothing but close, in a program linked the same
// way.

#include <windows.h>

#include <commctrl.h>

#include "ui/DialogResources.h"
#include "ui/win32/ModalBox.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                     ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&classes);
  sci::win32::runModalBox(IDD_SERVERLIST_DIALOG, nullptr);
  return 0;
}
