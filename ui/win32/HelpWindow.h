#pragma once
// F1's help: the shared help text in a window of its own, modal to owner.

#include <windows.h>

#include <string_view>

namespace sci::win32 {

void showHelp(HWND owner, std::string_view title, std::string_view text);

}  // namespace sci::win32
