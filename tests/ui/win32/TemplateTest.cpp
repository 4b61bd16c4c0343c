// The resources as the program carries them: template 102 control by control
// (ids, classes, styles, rectangles through MapDialogRect, texts, what is
// shown, tab order), the About template, string 101, the icon's images, the
// version and the manifest. The templates are created here with a bare
// dialog procedure, so these checks see the resource compiler's work alone.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "ui/DialogResources.h"

namespace {

INT_PTR CALLBACK bareProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

struct Dialog {
  explicit Dialog(int id)
      : window(CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), nullptr,
                                  bareProc, 0)) {}
  ~Dialog() { DestroyWindow(window); }
  HWND window;
};

std::wstring className(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring windowText(HWND window) {
  wchar_t text[256] = {};
  SendMessageW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
  return text;
}

// As the dialog manager places a control: position and size are converted
// each on its own, so the far edge is not the conversion of x + w.
RECT dialogUnits(HWND dialog, int x, int y, int w, int h) {
  RECT place{x, y, 0, 0};
  RECT size{w, h, 0, 0};
  MapDialogRect(dialog, &place);
  MapDialogRect(dialog, &size);
  return {place.left, place.top, place.left + size.left, place.top + size.top};
}

RECT clientRectOf(HWND dialog, HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::string show(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

struct ControlSpec {
  int id;
  const wchar_t* cls;
  const wchar_t* text;
  int x, y, w, h;
  bool shown;
  DWORD styles;  // each of these bits must be set
  DWORD absent;  // and these clear
};

constexpr DWORD kEdit = WS_TABSTOP | WS_CHILD;
constexpr DWORD kUpDown =
    UDS_WRAP | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS;

// Template order, which is also the order of the child windows. The ports
// get their digits-only style at start-up, from the field table.
const ControlSpec kServerList[] = {
    {IDC_SERVER, L"Edit", L"", 63, 51, 160, 17, true, kEdit | ES_AUTOHSCROLL, ES_NUMBER},
    {IDC_PORT, L"Edit", L"", 228, 51, 40, 17, true, kEdit, ES_READONLY},
    {IDC_SERVER_CONFIRM, L"Edit", L"", 63, 74, 160, 17, false, kEdit | ES_AUTOHSCROLL, 0},
    {IDC_PORT_CONFIRM, L"Edit", L"", 228, 74, 40, 17, false, kEdit, 0},
    {IDC_KEY, L"Edit", L"", 63, 97, 205, 17, true, kEdit | ES_AUTOHSCROLL, 0},
    {IDC_USER_NAME, L"Edit", L"", 65, 137, 85, 17, true, kEdit | ES_AUTOHSCROLL, 0},
    {IDC_PASSWORD, L"Edit", L"", 65, 160, 85, 17, true, kEdit | ES_AUTOHSCROLL, ES_PASSWORD},
    {IDC_PASSWORD_CONFIRM, L"Edit", L"", 156, 160, 85, 17, false, kEdit | ES_AUTOHSCROLL, 0},
    {IDC_POSITION, L"Edit", L"", 96, 193, 27, 17, true, kEdit | ES_READONLY | ES_NUMBER, 0},
    {IDC_SPIN, UPDOWN_CLASSW, L"Spin1", 121, 193, 12, 20, true, kUpDown, 0},
    {IDC_EXIT, L"Button", L"&Exit", 254, 193, 39, 17, true, WS_TABSTOP, BS_DEFPUSHBUTTON},
    {IDC_INFO, L"Static", L"", 44, 219, 229, 15, false, SS_SUNKEN, 0},
    {-1, L"Button", L"Server", 17, 19, 287, 102, true, BS_GROUPBOX, WS_TABSTOP},
    {-1, L"Static", L"IP / URL", 63, 33, 39, 15, true, 0, 0},
    {-1, L"Static", L"*confirm", 20, 80, 40, 12, false, 0, 0},
    {-1, L"Static", L"TCP &Port", 228, 36, 40, 12, true, 0, 0},
    {-1, L"Static", L"DES Key", 20, 97, 40, 12, true, 0, 0},
    {-1, L"Button", L"User", 17, 122, 288, 64, true, BS_GROUPBOX, WS_TABSTOP},
    {-1, L"Static", L"Name", 20, 143, 25, 12, true, 0, 0},
    {-1, L"Static", L"Password", 20, 166, 43, 12, true, 0, 0},
    {-1, L"Static", L"*password confirm", 156, 144, 84, 12, false, 0, 0},
    {-1, L"Static", L"Server List Item:", 20, 194, 76, 12, true, 0, 0},
    {-1, L"Static", L"Info:", 20, 222, 23, 12, false, 0, 0},
    {IDC_OPEN, L"Button", L"&Open...", 150, 193, 39, 17, true, WS_TABSTOP, 0},
    {IDC_SAVE, L"Button", L"&Save...", 203, 193, 39, 17, true, WS_TABSTOP, 0},
    {IDC_COPY, L"Button", L"&Copy", 259, 131, 32, 14, true, WS_TABSTOP, 0},
    {IDC_PASTE, L"Button", L"&Paste", 259, 149, 32, 14, true, WS_TABSTOP, 0},
    {IDC_DELETE, L"Button", L"&Delete", 259, 167, 34, 14, true, WS_TABSTOP, 0},
};

TEST(Template, ServerListWindowStyleSizeCaptionAndFont) {
  Dialog dialog(IDD_SERVERLIST_DIALOG);
  ASSERT_NE(dialog.window, nullptr);
  const DWORD style = DWORD(GetWindowLongW(dialog.window, GWL_STYLE));
  for (DWORD bit : {DWORD(WS_POPUP), DWORD(WS_VISIBLE), DWORD(WS_CAPTION), DWORD(WS_SYSMENU),
                    DWORD(DS_MODALFRAME)}) {
    EXPECT_EQ(style & bit, bit) << std::hex << bit;
  }
  EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0u);
  EXPECT_NE(GetWindowLongW(dialog.window, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
  EXPECT_EQ(windowText(dialog.window), L"Marlix V1.3");

  RECT client;
  GetClientRect(dialog.window, &client);
  const RECT expected = dialogUnits(dialog.window, 0, 0, 320, 246);
  EXPECT_EQ(client.right, expected.right);
  EXPECT_EQ(client.bottom, expected.bottom);

  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog.window, WM_GETFONT, 0, 0)), sizeof font,
             &font);
  EXPECT_STREQ(font.lfFaceName, L"MS Shell Dlg 2");
}

TEST(Template, ServerListControlsInTemplateOrder) {
  Dialog dialog(IDD_SERVERLIST_DIALOG);
  ASSERT_NE(dialog.window, nullptr);
  HWND child = GetWindow(dialog.window, GW_CHILD);
  HWND buddy = nullptr;
  for (const ControlSpec& want : kServerList) {
    ASSERT_NE(child, nullptr) << "missing control for " << want.id;
    SCOPED_TRACE("control " + std::to_string(want.id) + " text " +
                 std::string(want.text, want.text + wcslen(want.text)));
    EXPECT_EQ(GetDlgCtrlID(child), want.id);
    EXPECT_EQ(className(child), want.cls);
    EXPECT_EQ(windowText(child), want.text);
    const DWORD style = DWORD(GetWindowLongW(child, GWL_STYLE));
    EXPECT_EQ(style & want.styles, want.styles) << std::hex << style;
    EXPECT_EQ(style & want.absent, 0u) << std::hex << style;
    EXPECT_EQ((style & WS_VISIBLE) != 0, want.shown);
    if (className(child) == L"Edit") {
      // The dialog manager draws an edit's border as a sunken client edge.
      EXPECT_TRUE((style & WS_BORDER) || (GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE));
    }
    const RECT expected = dialogUnits(dialog.window, want.x, want.y, want.w, want.h);
    const RECT actual = clientRectOf(dialog.window, child);
    if (want.id == IDC_POSITION) {
      buddy = child;
      // The up-down control takes the right end of its buddy.
      EXPECT_EQ(show({actual.left, actual.top, expected.right, actual.bottom}), show(expected));
      EXPECT_LT(actual.right, expected.right);
    } else if (want.id == IDC_SPIN) {
      const RECT buddyRect = clientRectOf(dialog.window, buddy);
      EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(child, UDM_GETBUDDY, 0, 0)), buddy);
      EXPECT_NEAR(actual.right, dialogUnits(dialog.window, 96, 193, 27, 17).right, 2);
      EXPECT_EQ(actual.top, buddyRect.top);
      EXPECT_EQ(actual.bottom, buddyRect.bottom);
    } else {
      EXPECT_EQ(show(actual), show(expected));
    }
    child = GetWindow(child, GW_HWNDNEXT);
  }
  EXPECT_EQ(child, nullptr) << "more controls than the template's";
}

TEST(Template, TabOrderFollowsTemplateOverShownControls) {
  Dialog dialog(IDD_SERVERLIST_DIALOG);
  const std::vector<int> expected = {IDC_SERVER,   IDC_PORT,     IDC_KEY,   IDC_USER_NAME,
                                     IDC_PASSWORD, IDC_POSITION, IDC_EXIT,  IDC_OPEN,
                                     IDC_SAVE,     IDC_COPY,     IDC_PASTE, IDC_DELETE};
  std::vector<int> order;
  HWND item = GetDlgItem(dialog.window, IDC_SERVER);
  do {
    order.push_back(GetDlgCtrlID(item));
    item = GetNextDlgTabItem(dialog.window, item, FALSE);
  } while (item && item != GetDlgItem(dialog.window, IDC_SERVER) && order.size() < 40);
  EXPECT_EQ(order, expected);
}

TEST(Template, AboutBox) {
  Dialog dialog(IDD_ABOUTBOX);
  ASSERT_NE(dialog.window, nullptr);
  EXPECT_EQ(windowText(dialog.window), L"About VANTO");
  const DWORD style = DWORD(GetWindowLongW(dialog.window, GWL_STYLE));
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | DS_MODALFRAME),
            DWORD(WS_CAPTION | WS_SYSMENU | DS_MODALFRAME));
  RECT client;
  GetClientRect(dialog.window, &client);
  EXPECT_EQ(show(client), show(dialogUnits(dialog.window, 0, 0, 235, 55)));

  HWND child = GetWindow(dialog.window, GW_CHILD);
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK, SS_ICON);
  EXPECT_NE(SendMessageW(child, STM_GETICON, 0, 0), 0);
  // An icon control sizes itself to its icon; its place is the template's.
  const RECT icon = clientRectOf(dialog.window, child);
  const RECT iconExpected = dialogUnits(dialog.window, 11, 17, 20, 20);
  EXPECT_EQ(icon.left, iconExpected.left);
  EXPECT_EQ(icon.top, iconExpected.top);

  child = GetWindow(child, GW_HWNDNEXT);
  EXPECT_EQ(windowText(child), L"Marlix Version 1.5");
  EXPECT_NE(GetWindowLongW(child, GWL_STYLE) & SS_NOPREFIX, 0);
  EXPECT_EQ(show(clientRectOf(dialog.window, child)),
            show(dialogUnits(dialog.window, 40, 10, 119, 8)));
  child = GetWindow(child, GW_HWNDNEXT);
  EXPECT_FALSE(windowText(child).empty());
  EXPECT_EQ(show(clientRectOf(dialog.window, child)),
            show(dialogUnits(dialog.window, 40, 25, 119, 8)));
  child = GetWindow(child, GW_HWNDNEXT);
  EXPECT_EQ(GetDlgCtrlID(child), IDOK);
  EXPECT_EQ(windowText(child), L"OK");
  EXPECT_EQ(GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(show(clientRectOf(dialog.window, child)),
            show(dialogUnits(dialog.window, 178, 7, 50, 14)));
  EXPECT_EQ(GetWindow(child, GW_HWNDNEXT), nullptr);
}

TEST(Resources, SystemMenuString) {
  wchar_t text[64] = {};
  ASSERT_GT(LoadStringW(GetModuleHandleW(nullptr), IDS_ABOUTBOX, text, 64), 0);
  EXPECT_STREQ(text, L"&About VANTO...");
}

TEST(Resources, IconCarriesFourSizes) {
#pragma pack(push, 2)
  struct GroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bits;
    DWORD bytes;
    WORD id;
  };
#pragma pack(pop)
  const HMODULE module = GetModuleHandleW(nullptr);
  const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDR_MAINFRAME), RT_GROUP_ICON);
  ASSERT_NE(found, nullptr);
  const auto* group = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  const WORD count = *reinterpret_cast<const WORD*>(group + 4);
  std::vector<int> sizes;
  for (WORD i = 0; i < count; ++i) {
    const auto* entry = reinterpret_cast<const GroupEntry*>(group + 6 + i * sizeof(GroupEntry));
    EXPECT_EQ(entry->width, entry->height);
    EXPECT_EQ(entry->bits, 32);
    sizes.push_back(entry->width == 0 ? 256 : entry->width);
  }
  EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48, 256}));
  // Windows picks the right image for each size the system asks for.
  for (int size : {16, 32, 48}) {
    const HICON icon = static_cast<HICON>(
        LoadImageW(module, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, size, size, 0));
    ASSERT_NE(icon, nullptr) << size;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bitmap{};
    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, size);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
}

std::string resourceText(LPCWSTR type, LPCWSTR name) {
  const HMODULE module = GetModuleHandleW(nullptr);
  const HRSRC found = FindResourceW(module, name, type);
  if (!found) return {};
  const auto* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
  return std::string(data, SizeofResource(module, found));
}

TEST(Resources, ManifestAsksForCommonControls6PerMonitorDpiAndLongPaths) {
  // 1: CREATEPROCESS_MANIFEST_RESOURCE_ID, the manifest Windows reads at start.
  const std::string manifest = resourceText(RT_MANIFEST, MAKEINTRESOURCEW(1));
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
            std::string::npos);
  EXPECT_NE(manifest.find(">PerMonitorV2"), std::string::npos);
  EXPECT_NE(manifest.find(">true/pm<"), std::string::npos);
  EXPECT_NE(manifest.find(">true</longPathAware>"), std::string::npos);
}

TEST(Resources, VersionIs1001WithV15Strings) {
  const HMODULE module = GetModuleHandleW(nullptr);
  const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
  ASSERT_NE(found, nullptr);
  // VerQueryValue wants a writable copy of the block.
  std::vector<BYTE> block(SizeofResource(module, found) * 2);
  const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  std::copy(data, data + SizeofResource(module, found), block.begin());

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
  for (const wchar_t* key : {L"\\StringFileInfo\\040904B0\\FileVersion",
                             L"\\StringFileInfo\\040904B0\\ProductVersion"}) {
    wchar_t* value = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), key, reinterpret_cast<void**>(&value), &length))
        << key;
    EXPECT_STREQ(value, L"V1.5") << key;
  }
}

}  // namespace
