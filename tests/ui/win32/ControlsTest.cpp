// The controls as the core sees them: UTF-8 in and out, the change mark,
// input limits that bind the user and not the program, the spin control's
// range and position, port fields that take typed digits only, and text
// fields that refuse characters without a single-byte form as they are typed
// or pasted.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/ui/win32/InProcess.h"
#include "ui/DialogResources.h"
#include "ui/win32/Win32Controls.h"

namespace sci::win32 {
namespace {

using test::BareDialog;
using test::setClipboardText;
using test::textOf;

void type(HWND edit, std::wstring_view text) {
  for (wchar_t ch : text) SendMessageW(edit, WM_CHAR, ch, 1);
}

TEST(Controls, TextRoundTripsUtf8AndSettingClearsTheChangeMark) {
  BareDialog dialog;
  Win32Controls controls(dialog.window());
  controls.setText(IDC_SERVER, "caf\xC3\xA9 \xE2\x82\xAC");
  EXPECT_EQ(textOf(dialog.item(IDC_SERVER)), L"caf\u00E9 \u20AC");
  EXPECT_EQ(controls.text(IDC_SERVER), "caf\xC3\xA9 \xE2\x82\xAC");
  EXPECT_FALSE(controls.modified(IDC_SERVER));
  type(dialog.item(IDC_SERVER), L"x");
  EXPECT_TRUE(controls.modified(IDC_SERVER));
  controls.setText(IDC_SERVER, "other");
  EXPECT_FALSE(controls.modified(IDC_SERVER));
}

TEST(Controls, InputLimitBindsTypingAndPastingButNotTheProgram) {
  BareDialog dialog;
  Win32Controls controls(dialog.window());
  const HWND name = dialog.item(IDC_USER_NAME);
  controls.setInputLimit(IDC_USER_NAME, 12);
  controls.setText(IDC_USER_NAME, "fifteen-chars15");
  EXPECT_EQ(controls.text(IDC_USER_NAME), "fifteen-chars15");

  controls.setText(IDC_USER_NAME, "");
  type(name, L"abcdefghijklmnop");
  EXPECT_EQ(controls.text(IDC_USER_NAME), "abcdefghijkl");

  controls.setText(IDC_USER_NAME, "1234567890");
  SendMessageW(name, EM_SETSEL, 10, 10);
  setClipboardText(L"ABCDEF");
  SendMessageW(name, WM_PASTE, 0, 0);
  EXPECT_EQ(controls.text(IDC_USER_NAME), "1234567890AB");
}

TEST(Controls, EnablingFocusCaptionAndSpin) {
  BareDialog dialog;
  Win32Controls controls(dialog.window());
  controls.setEnabled(IDC_OPEN, false);
  EXPECT_FALSE(controls.enabled(IDC_OPEN));
  EXPECT_FALSE(IsWindowEnabled(dialog.item(IDC_OPEN)));
  controls.setEnabled(IDC_OPEN, true);
  EXPECT_TRUE(controls.enabled(IDC_OPEN));

  controls.setText(IDC_KEY, "01 23 45");
  controls.focusAndSelectAll(IDC_KEY);
  EXPECT_EQ(GetFocus(), dialog.item(IDC_KEY));
  DWORD start = 1, end = 0;
  SendMessageW(dialog.item(IDC_KEY), EM_GETSEL, WPARAM(&start), LPARAM(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 8u);
  controls.focus(IDC_PORT);
  EXPECT_EQ(GetFocus(), dialog.item(IDC_PORT));
  EXPECT_EQ(controls.focusedControl(), IDC_PORT);
  // The focus outside the dialog is none of its controls'.
  SetFocus(nullptr);
  EXPECT_EQ(controls.focusedControl(), 0);

  controls.setCaption("VANTO \xCE\xA9");
  EXPECT_EQ(textOf(dialog.window()), L"VANTO \u03A9");

  controls.setPositionRange(1, 20);
  controls.setPosition(7);
  const HWND spin = dialog.item(IDC_SPIN);
  int lowest = 0, highest = 0;
  SendMessageW(spin, UDM_GETRANGE32, WPARAM(&lowest), LPARAM(&highest));
  EXPECT_EQ(lowest, 1);
  EXPECT_EQ(highest, 20);
  EXPECT_EQ(SendMessageW(spin, UDM_GETPOS32, 0, 0), 7);
  // The buddy shows the position as the up-down control writes it.
  EXPECT_EQ(textOf(dialog.item(IDC_POSITION)), L"7");
}

TEST(Controls, PortFieldsTakeTypedDigitsOnly) {
  BareDialog dialog;
  Win32Controls controls(dialog.window());
  const HWND port = dialog.item(IDC_PORT);
  controls.setFieldKind(IDC_PORT, FieldKind::Port);
  EXPECT_NE(GetWindowLongW(port, GWL_STYLE) & ES_NUMBER, 0);
  type(port, L"8a0-8");
  EXPECT_EQ(textOf(port), L"808");
}

// Records the balloon tips an edit is asked to show; installed after the
// filter, so it sees what the filter sends.
std::vector<std::wstring> g_balloons;

LRESULT CALLBACK recordBalloons(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR) {
  if (message == EM_SHOWBALLOONTIP) {
    const auto* tip = reinterpret_cast<const EDITBALLOONTIP*>(lParam);
    g_balloons.push_back(std::wstring(tip->pszTitle) + L": " + tip->pszText);
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}

TEST(Controls, TextFieldsRefuseCharactersWithoutSingleByteForm) {
  BareDialog dialog;
  Win32Controls controls(dialog.window());
  const HWND server = dialog.item(IDC_SERVER);
  controls.setFieldKind(IDC_SERVER, FieldKind::Text);
  SetWindowSubclass(server, recordBalloons, 1, 0);
  g_balloons.clear();
  // Typed: Latin-1, the euro sign and dagger (Windows-1252's 0x80 and 0x86)
  // pass; Greek, CJK and a character beyond the BMP (a surrogate pair) do not.
  type(server, L"a\u00E9\u20AC\u2020\u03A9\u65E5\U0001F600z");
  EXPECT_EQ(textOf(server), L"a\u00E9\u20AC\u2020z");
  // Each refused character is explained at the field (the emoji arrives as
  // two halves, each refused).
  const std::wstring why =
      L"Unacceptable Character: Only Western European (Windows-1252) "
      L"characters can be stored.";
  EXPECT_EQ(g_balloons, std::vector<std::wstring>(4, why));

  struct PasteCase {
    const wchar_t* clipboard;
    const wchar_t* result;
  };
  const PasteCase cases[] = {
      {L"\u00FCber", L"\u00FCber"},
      {L"ok\u03A9", L""},              // refused whole, as on Linux
      {L"line1\r\n\u03A9", L"line1"},  // only the first line counts
  };
  for (const PasteCase& c : cases) {
    controls.setText(IDC_SERVER, "");
    setClipboardText(c.clipboard);
    g_balloons.clear();
    SendMessageW(server, WM_PASTE, 0, 0);
    EXPECT_EQ(textOf(server), c.result);
    EXPECT_EQ(g_balloons.size(), std::wstring_view(c.result).empty() ? 1u : 0u);
  }
  RemoveWindowSubclass(server, recordBalloons, 1);
  // A field the filter was not put on (the port) keeps the edit's own rules.
  setClipboardText(L"\u03A9");
  SendMessageW(dialog.item(IDC_PORT), WM_PASTE, 0, 0);
  EXPECT_EQ(textOf(dialog.item(IDC_PORT)), L"\u03A9");
}

}  // namespace
}  // namespace sci::win32
