#pragma once
// Puts text on the clipboard, which every process on the desktop shares.

#include <string>

namespace sci::win32::test {

void setClipboardText(const std::wstring& text);

}  // namespace sci::win32::test
