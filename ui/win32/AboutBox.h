#pragma once
// The About box on template 100, modal to owner.

#include <windows.h>

namespace sci::win32 {

void showAboutBox(HWND owner);

}  // namespace sci::win32
