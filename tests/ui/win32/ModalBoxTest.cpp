// The modal box that the About box, the help window and the start-up
// benchmark's bare dialog run on: what closes it, what its init hook may
// do with the focus, and where F1 goes.

#include <gtest/gtest.h>
#include <windows.h>

#include "tests/ui/win32/InProcess.h"
#include "ui/DialogResources.h"
#include "ui/win32/ModalBox.h"
#include "ui/win32/Win32Resources.h"

namespace sci::win32 {
namespace {

using test::WhenBoxAppears;

TEST(ModalBox, OnlyOkAndCancelCloseItAndItReturnsWhich) {
  // Another command first: had it closed the box, the result would be its id.
  const struct {
    WPARAM first;
    WPARAM closing;
  } cases[] = {{IDC_HELP_TEXT, IDOK}, {IDC_HELP_TEXT, IDCANCEL}};
  for (const auto& c : cases) {
    WhenBoxAppears act(nullptr, [&](HWND box) {
      PostMessageW(box, WM_COMMAND, c.first, 0);
      PostMessageW(box, WM_COMMAND, c.closing, 0);
    });
    EXPECT_EQ(runModalBox(IDD_HELP, nullptr), INT_PTR(c.closing));
    EXPECT_TRUE(act.acted());
  }
}

TEST(ModalBox, InitSeesTheControlsAndMayKeepTheFocusItSets) {
  // The help template's first tab stop is its text, not the OK button.
  for (bool keeps : {false, true}) {
    SCOPED_TRACE(keeps);
    bool sawControls = false;
    bool focusOnOk = false;
    WhenBoxAppears act(nullptr, [&](HWND box) {
      focusOnOk = GetFocus() == GetDlgItem(box, IDOK);
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    ModalBoxHooks hooks;
    hooks.init = [&](HWND box) {
      sawControls = GetDlgItem(box, IDC_HELP_TEXT) != nullptr;
      SetFocus(GetDlgItem(box, IDOK));
      return keeps;
    };
    runModalBox(IDD_HELP, nullptr, hooks);
    ASSERT_TRUE(act.acted());
    EXPECT_TRUE(sawControls);
    EXPECT_EQ(focusOnOk, keeps);
  }
}

// An owner that counts the F1 requests that reach it.
int helpAtOwner = 0;
LRESULT CALLBACK ownerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_HELP) {
    ++helpAtOwner;
    return TRUE;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST(ModalBox, F1GoesToTheHelpHookAndNeverOnToTheOwner) {
  WNDCLASSW type{};
  type.lpfnWndProc = ownerProc;
  type.hInstance = GetModuleHandleW(nullptr);
  type.lpszClassName = L"sciModalBoxOwner";
  RegisterClassW(&type);
  const HWND owner = CreateWindowW(L"sciModalBoxOwner", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                   100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(owner, nullptr);
  for (bool withHook : {false, true}) {
    SCOPED_TRACE(withHook);
    helpAtOwner = 0;
    HWND box = nullptr, helped = nullptr;
    WhenBoxAppears act(owner, [&](HWND shown) {
      box = shown;
      HELPINFO help{};
      help.cbSize = sizeof help;
      help.iContextType = HELPINFO_WINDOW;
      SendMessageW(shown, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
      PostMessageW(shown, WM_COMMAND, IDCANCEL, 0);
    });
    ModalBoxHooks hooks;
    if (withHook) hooks.help = [&](HWND from) { helped = from; };
    runModalBox(IDD_ABOUTBOX, owner, hooks);
    ASSERT_TRUE(act.acted());
    EXPECT_EQ(helped, withHook ? box : nullptr);
    EXPECT_EQ(helpAtOwner, 0);
  }
  DestroyWindow(owner);
}

}  // namespace
}  // namespace sci::win32
