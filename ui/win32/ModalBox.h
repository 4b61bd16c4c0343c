#pragma once
// A dialog template run modally that closes on OK and Cancel: the About
// box, the help window and the start-up benchmark's bare dialog.

#include <windows.h>

#include <functional>

namespace sci::win32 {

// What a box does besides closing.
struct ModalBoxHooks {
  // Once the controls exist. Returns true when it has put the focus itself,
  // false to leave it to the dialog manager's first tab stop.
  std::function<bool(HWND box)> init;
  // F1. Without it F1 does nothing: the default would pass it on to the
  // owner, which would answer with help of its own.
  std::function<void(HWND box)> help;
};

// Runs this program's dialog template templateId modally to owner (which
// may be null) and returns IDOK or IDCANCEL, or -1 if it could not be shown.
INT_PTR runModalBox(int templateId, HWND owner, const ModalBoxHooks& hooks = {});

}  // namespace sci::win32
