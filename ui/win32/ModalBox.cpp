#include "ui/win32/ModalBox.h"

namespace sci::win32 {

namespace {

INT_PTR CALLBACK modalBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(box, DWLP_USER, lParam);
    const auto* hooks = reinterpret_cast<const ModalBoxHooks*>(lParam);
    return hooks->init && hooks->init(box) ? FALSE : TRUE;
  }
  // Messages before WM_INITDIALOG find no hooks yet.
  const auto* hooks = reinterpret_cast<const ModalBoxHooks*>(GetWindowLongPtrW(box, DWLP_USER));
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(box, LOWORD(wParam));
        return TRUE;
      }
      break;
    case WM_HELP:
      if (hooks && hooks->help) hooks->help(box);
      return TRUE;
    default:
      break;
  }
  return FALSE;
}

}  // namespace

INT_PTR runModalBox(int templateId, HWND owner, const ModalBoxHooks& hooks) {
  return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), owner,
                         modalBoxProc, reinterpret_cast<LPARAM>(&hooks));
}

}  // namespace sci::win32
