#pragma once
// Edit controls that refuse, as they are typed or pasted, characters with no
// single-byte form (data/SingleByteText.h), with a beep, as the Linux editor
// does. The length limit stays the control's own (EM_LIMITTEXT).

#include <windows.h>

namespace sci::win32 {

void refuseWideCharacters(HWND edit);

}  // namespace sci::win32
