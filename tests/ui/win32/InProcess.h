#pragma once
// Helpers for tests that run the Windows front end's pieces in the test's own
// process: a window from the program's template and a way to act on the
// boxes that a modal call opens while that call waits.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/ui/win32/Clipboard.h"

namespace sci::win32::test {

// Template 102 with a bare dialog procedure, shown and active.
class BareDialog {
 public:
  BareDialog();
  ~BareDialog();
  BareDialog(const BareDialog&) = delete;
  BareDialog& operator=(const BareDialog&) = delete;
  HWND window() const { return window_; }
  HWND item(int id) const { return GetDlgItem(window_, id); }

 private:
  HWND window_;
};

// Runs act(box) on the first new top-level window of this thread once one
// appears while a modal call is running; the modal loop runs the timer.
// Stops looking after the call returns.
class WhenBoxAppears {
 public:
  WhenBoxAppears(HWND owner, std::function<void(HWND)> act);
  ~WhenBoxAppears();
  bool acted() const { return acted_; }

 private:
  static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD);
  HWND owner_;
  std::function<void(HWND)> act_;
  UINT_PTR timer_;
  bool acted_ = false;
};

std::wstring textOf(HWND window);
// Direct children of a window with the given class name.
std::vector<HWND> childrenOfClass(HWND parent, const wchar_t* className);

}  // namespace sci::win32::test
