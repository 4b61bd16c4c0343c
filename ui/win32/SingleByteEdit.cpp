#include "ui/win32/SingleByteEdit.h"

#include <commctrl.h>

#include <string>

#include "data/SingleByteText.h"
#include "data/windows/Utf16.h"
#include "ui/DialogConstants.h"

namespace sci::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 0x5C1;

bool singleByte(wchar_t ch) {
  // Half of a surrogate pair lies beyond the Basic Multilingual Plane, where
  // Windows-1252 has nothing.
  if (ch >= 0xD800 && ch <= 0xDFFF) return false;
  return unicodeToByte(char32_t(ch)).has_value();
}

// The text a single-line edit would paste: the clipboard's first line.
bool clipboardFitsSingleByte(HWND edit) {
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(edit)) return true;
  bool fits = true;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
      for (const wchar_t* p = text; *p && *p != L'\r' && *p != L'\n'; ++p) {
        if (!singleByte(*p)) {
          fits = false;
          break;
        }
      }
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return fits;
}

// As Windows explains a letter typed into a digits-only edit: a character
// that simply vanished would leave the user guessing.
void explainRefusal(HWND edit) {
  MessageBeep(MB_OK);
  static const std::wstring title = widen(kSingleByteOnlyTitle);
  static const std::wstring text = widen(kSingleByteOnlyText);
  EDITBALLOONTIP tip{};
  tip.cbStruct = sizeof tip;
  tip.pszTitle = title.c_str();
  tip.pszText = text.c_str();
  tip.ttiIcon = TTI_ERROR;
  SendMessageW(edit, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip));
}

bool readOnly(HWND edit) { return (GetWindowLongW(edit, GWL_STYLE) & ES_READONLY) != 0; }

LRESULT CALLBACK filterProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR) {
  switch (message) {
    case WM_CHAR:
    case WM_UNICHAR:
      if (message == WM_UNICHAR && wParam == UNICODE_NOCHAR) return TRUE;
      // Control characters are the edit control's own keys (Ctrl+V and so on).
      if (wParam >= 0x20 && wParam != 0x7F && (wParam > 0xFFFF || !singleByte(wchar_t(wParam))) &&
          !readOnly(edit)) {
        explainRefusal(edit);
        return 0;
      }
      break;
    case WM_KEYDOWN:
      // Shift+Insert pastes without WM_PASTE in some edit controls; routed
      // through WM_PASTE so the check below sees it.
      if (wParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0) {
        SendMessageW(edit, WM_PASTE, 0, 0);
        return 0;
      }
      break;
    case WM_PASTE:
      if (!readOnly(edit) && !clipboardFitsSingleByte(edit)) {
        explainRefusal(edit);
        return 0;
      }
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(edit, filterProc, kSubclassId);
      break;
    default:
      break;
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

void refuseWideCharacters(HWND edit) { SetWindowSubclass(edit, filterProc, kSubclassId, 0); }

}  // namespace sci::win32
