#include "tests/ui/win32/Clipboard.h"

#include <windows.h>

#include <algorithm>

namespace sci::win32::test {

void setClipboardText(const std::wstring& text) {
  OpenClipboard(nullptr);
  EmptyClipboard();
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  auto* data = static_cast<wchar_t*>(GlobalLock(memory));
  std::copy(text.c_str(), text.c_str() + text.size() + 1, data);
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
}

}  // namespace sci::win32::test
