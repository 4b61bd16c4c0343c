// The window furniture of the real main dialog, checked inside its own
// process, where Wine lets a test read the system menu and compare icon
// handles: the About item and its masked command, the icons, the drag icon,
// F1's help window, and the spin control under acceleration.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <fstream>

#include "data/DeviceConfig.h"
#include "tests/ui/win32/InProcess.h"
#include "ui/DialogResources.h"
#include "ui/win32/ServerListWindow.h"

namespace sci::win32 {
namespace {

using test::childrenOfClass;
using test::textOf;
using test::WhenBoxAppears;

// A running main dialog on a good configuration, without its own loop:
// the modal calls below run the messages.
class Shell : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    config_ = std::filesystem::path(temp) / L"sciedit-shell-IPConfig.cfg";
    const auto bytes = encodeDeviceConfig("Unit A", 1, 2, 3);
    std::ofstream(config_, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    DialogSetup setup;
    setup.configPath = config_;
    window_ = std::make_unique<ServerListWindow>(std::move(setup));
    ASSERT_NE(window_->createModeless(), nullptr);
    ShowWindow(dialog(), SW_SHOW);
    SetForegroundWindow(dialog());
  }
  void TearDown() override {
    window_.reset();
    std::filesystem::remove(config_);
  }
  HWND dialog() const { return window_->window(); }

  std::filesystem::path config_;
  std::unique_ptr<ServerListWindow> window_;
};

std::wstring menuText(HMENU menu, UINT position) {
  wchar_t text[128] = {};
  GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
  return text;
}

// An accelerated hold proposes several entries per step; the control shows
// the one entry the list moved, round either end.
TEST_F(Shell, AcceleratedSpinMovesOneEntry) {
  const HWND spin = GetDlgItem(dialog(), IDC_SPIN);
  UDACCEL accel{0, 5};
  SendMessageW(spin, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
  RECT area;
  GetClientRect(spin, &area);
  const int x = area.right / 2;
  const struct {
    int y;
    int shown;
  } presses[] = {{area.bottom / 4, 2}, {area.bottom * 3 / 4, 1}, {area.bottom * 3 / 4, 20}};
  for (const auto& press : presses) {
    SendMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, press.y));
    SendMessageW(spin, WM_LBUTTONUP, 0, MAKELPARAM(x, press.y));
    EXPECT_EQ(SendMessageW(spin, UDM_GETPOS32, 0, 0), press.shown);
    EXPECT_EQ(textOf(GetDlgItem(dialog(), IDC_POSITION)), std::to_wstring(press.shown));
  }
}

TEST_F(Shell, SystemMenuEndsWithSeparatorAndAboutItem) {
  const HMENU menu = GetSystemMenu(dialog(), FALSE);
  ASSERT_NE(menu, nullptr);
  const int count = GetMenuItemCount(menu);
  // Wine adds "&About Wine" of its own, so the item is looked for from the end.
  int about = -1;
  for (int i = count - 1; i >= 0; --i) {
    if (GetMenuItemID(menu, i) == IDM_ABOUTBOX) {
      about = i;
      break;
    }
  }
  ASSERT_GE(about, 1);
  EXPECT_EQ(menuText(menu, UINT(about)), L"&About VANTO...");
  EXPECT_NE(GetMenuState(menu, UINT(about - 1), MF_BYPOSITION) & MF_SEPARATOR, 0u);
  // After every standard command.
  int close = -1;
  for (int i = 0; i < count; ++i) {
    if (GetMenuItemID(menu, i) == SC_CLOSE) close = i;
  }
  EXPECT_LT(close, about);
  // Added once only.
  int aboutItems = 0;
  for (int i = 0; i < count; ++i) aboutItems += GetMenuItemID(menu, i) == IDM_ABOUTBOX;
  EXPECT_EQ(aboutItems, 1);
}

TEST_F(Shell, AboutCommandIsMaskedAndShowsTheAboutBox) {
  // The low four bits are the system's own; 0x13 is still the About item.
  for (WPARAM command : {WPARAM(IDM_ABOUTBOX), WPARAM(IDM_ABOUTBOX | 0x3)}) {
    std::wstring caption, version;
    HWND owner = nullptr;
    {
      WhenBoxAppears act(dialog(), [&](HWND box) {
        caption = textOf(box);
        owner = GetWindow(box, GW_OWNER);
        for (HWND label : childrenOfClass(box, L"Static")) {
          const std::wstring text = textOf(label);
          if (text.starts_with(L"Marlix")) version = text;
        }
        PostMessageW(box, WM_COMMAND, IDOK, 0);
      });
      SendMessageW(dialog(), WM_SYSCOMMAND, command, 0);
      ASSERT_TRUE(act.acted());
    }
    EXPECT_EQ(caption, L"About VANTO");
    EXPECT_EQ(version, L"Marlix Version 1.5");
    EXPECT_EQ(owner, dialog());
  }
}

// Closes the first box that opens over the About box, whoever owns it, and
// notes its owner and text: a box F1 wrongly sent to the main dialog is
// closed too instead of waiting for ever.
struct HelpOverAbout {
  static inline HWND main = nullptr, about = nullptr, owner = nullptr;
  static inline std::wstring text;
  static void CALLBACK tick(HWND, UINT, UINT_PTR timer, DWORD) {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND box, LPARAM timer) -> BOOL {
          wchar_t name[16] = {};
          GetClassNameW(box, name, 16);
          if (box == main || box == about || !IsWindowVisible(box) ||
              std::wstring(name) != L"#32770") {
            return TRUE;
          }
          KillTimer(nullptr, UINT_PTR(timer));
          owner = GetWindow(box, GW_OWNER);
          for (HWND edit : childrenOfClass(box, L"Edit")) text = textOf(edit);
          PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
          return FALSE;
        },
        LPARAM(timer));
  }
};

TEST_F(Shell, F1InTheAboutBoxShowsItsOwnHelpOverIt) {
  HelpOverAbout::main = dialog();
  HelpOverAbout::owner = nullptr;
  HelpOverAbout::text.clear();
  {
    WhenBoxAppears act(dialog(), [&](HWND box) {
      HelpOverAbout::about = box;
      const UINT_PTR timer = SetTimer(nullptr, 0, 50, HelpOverAbout::tick);
      HELPINFO help{};
      help.cbSize = sizeof help;
      help.iContextType = HELPINFO_WINDOW;
      SendMessageW(box, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
      KillTimer(nullptr, timer);
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    SendMessageW(dialog(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    ASSERT_TRUE(act.acted());
  }
  EXPECT_EQ(HelpOverAbout::owner, HelpOverAbout::about);
  EXPECT_NE(HelpOverAbout::text.find(L"Shows the editor's version"), std::wstring::npos)
      << "the About box's help";
}

TEST_F(Shell, IconsAreTheProgramsOwn) {
  const auto big = reinterpret_cast<HICON>(SendMessageW(dialog(), WM_GETICON, ICON_BIG, 0));
  const auto small = reinterpret_cast<HICON>(SendMessageW(dialog(), WM_GETICON, ICON_SMALL, 0));
  EXPECT_EQ(big, window_->largeIcon());
  ASSERT_NE(small, nullptr);
  EXPECT_NE(small, big);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(small, &info));
  BITMAP bitmap{};
  GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
  EXPECT_EQ(bitmap.bmWidth, GetSystemMetrics(SM_CXSMICON));
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  // What the system drags for the minimised window.
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(dialog(), WM_QUERYDRAGICON, 0, 0)), big);
}

TEST_F(Shell, HelpShowsTheHelpTextInAWindowOfItsOwn) {
  std::wstring caption, text;
  HWND owner = nullptr;
  bool focusOnOk = false;
  {
    WhenBoxAppears act(dialog(), [&](HWND box) {
      caption = textOf(box);
      owner = GetWindow(box, GW_OWNER);
      focusOnOk = GetFocus() == GetDlgItem(box, IDOK);
      for (HWND edit : childrenOfClass(box, L"Edit")) text = textOf(edit);
      PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    });
    HELPINFO help{};
    help.cbSize = sizeof help;
    help.iContextType = HELPINFO_WINDOW;
    SendMessageW(dialog(), WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
    ASSERT_TRUE(act.acted());
  }
  EXPECT_NE(caption.find(L"Help"), std::wstring::npos);
  EXPECT_EQ(owner, dialog());
  EXPECT_NE(text.find(L"Server List Item"), std::wstring::npos) << "the main dialog's help";
  // Reading starts at the top, not with the whole text selected.
  EXPECT_TRUE(focusOnOk);
}

}  // namespace
}  // namespace sci::win32
