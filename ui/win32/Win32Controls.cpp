#include "ui/win32/Win32Controls.h"

#include <commctrl.h>

#include "data/windows/Utf16.h"
#include "ui/win32/SingleByteEdit.h"

namespace sci::win32 {

std::string Win32Controls::text(ControlId id) const {
  const HWND control = item(id);
  std::wstring buffer(std::size_t(GetWindowTextLengthW(control)) + 1, L'\0');
  const int length = GetWindowTextW(control, buffer.data(), int(buffer.size()));
  buffer.resize(std::size_t(length));
  return narrow(buffer);
}

void Win32Controls::setText(ControlId id, std::string_view text) {
  SetDlgItemTextW(dialog_, id, widen(text).c_str());
  // WM_SETTEXT clears the mark on Windows; said outright for every edit control.
  SendDlgItemMessageW(dialog_, id, EM_SETMODIFY, FALSE, 0);
}

bool Win32Controls::modified(ControlId id) const {
  return SendDlgItemMessageW(dialog_, id, EM_GETMODIFY, 0, 0) != 0;
}

void Win32Controls::setInputLimit(ControlId id, std::size_t characters) {
  // The edit control limits typing and pasting only, never WM_SETTEXT.
  SendDlgItemMessageW(dialog_, id, EM_LIMITTEXT, characters, 0);
}

void Win32Controls::setFieldKind(ControlId id, FieldKind kind) {
  const HWND edit = item(id);
  switch (kind) {
    case FieldKind::Text:
      refuseWideCharacters(edit);
      break;
    case FieldKind::Port:
      // The edit control reads ES_NUMBER at each typed character, so the
      // style takes effect when set after creation.
      SetWindowLongW(edit, GWL_STYLE, GetWindowLongW(edit, GWL_STYLE) | ES_NUMBER);
      break;
  }
}

void Win32Controls::focus(ControlId id) {
  // Through the dialog manager, so the default button follows the focus.
  SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item(id)), TRUE);
}

ControlId Win32Controls::focusedControl() const {
  HWND focused = GetFocus();
  if (!focused || !IsChild(dialog_, focused)) return 0;
  // The control itself, where the focus may sit in a window of its own.
  while (GetAncestor(focused, GA_PARENT) != dialog_) focused = GetAncestor(focused, GA_PARENT);
  return GetDlgCtrlID(focused);
}

void Win32Controls::activate() {
  if (!IsWindow(dialog_)) return;
  SetForegroundWindow(dialog_);
  SetActiveWindow(dialog_);
}

void Win32Controls::focusAndSelectAll(ControlId id) {
  focus(id);
  SendDlgItemMessageW(dialog_, id, EM_SETSEL, 0, -1);
}

void Win32Controls::setEnabled(ControlId id, bool enabled) {
  EnableWindow(item(id), enabled ? TRUE : FALSE);
}

bool Win32Controls::enabled(ControlId id) const { return IsWindowEnabled(item(id)) != FALSE; }

void Win32Controls::setCaption(std::string_view caption) {
  SetWindowTextW(dialog_, widen(caption).c_str());
}

void Win32Controls::setPositionRange(int lowest, int highest) {
  SendDlgItemMessageW(dialog_, IDC_SPIN, UDM_SETRANGE32, WPARAM(lowest), LPARAM(highest));
}

void Win32Controls::setPosition(int position) {
  SendDlgItemMessageW(dialog_, IDC_SPIN, UDM_SETPOS32, 0, LPARAM(position));
}

void Win32Controls::close(DialogResult result) {
  EndDialog(dialog_, result == DialogResult::Ok ? IDOK : IDCANCEL);
}

}  // namespace sci::win32
