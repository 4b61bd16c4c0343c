// The message boxes and file dialogs as the main dialog shows them: text,
// caption, icon, buttons and owner of each box, the file dialogs' filter,
// start folder and a typed name, and the focus back in the dialog afterwards
// as the core gives it back through the window's controls.

#include <gtest/gtest.h>
#include <windows.h>

#include <array>

#include "tests/ui/win32/InProcess.h"
#include "ui/DialogResources.h"
#include "ui/FocusReturningPrompts.h"
#include "ui/win32/Win32Controls.h"
#include "ui/win32/Win32Prompts.h"

namespace sci::win32 {
namespace {

using test::BareDialog;
using test::childrenOfClass;
using test::textOf;
using test::WhenBoxAppears;

struct SeenBox {
  std::wstring caption, text;
  HICON icon = nullptr;
  HWND owner = nullptr;
  bool hasCancel = false;
};

SeenBox inspect(HWND box) {
  SeenBox seen;
  seen.caption = textOf(box);
  seen.owner = GetWindow(box, GW_OWNER);
  seen.hasCancel =
      GetDlgItem(box, IDCANCEL) != nullptr && IsWindowVisible(GetDlgItem(box, IDCANCEL));
  for (HWND label : childrenOfClass(box, L"Static")) {
    if ((GetWindowLongW(label, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
      seen.icon = reinterpret_cast<HICON>(SendMessageW(label, STM_GETICON, 0, 0));
    } else if (!textOf(label).empty()) {
      seen.text = textOf(label);
    }
  }
  return seen;
}

struct MessageCase {
  PromptIcon icon;
  PromptButtons buttons;
  LPCWSTR systemIcon;
  int press;
  PromptAnswer expected;
};

TEST(Prompts, MessageBoxTextCaptionIconButtonsAndOwner) {
  const MessageCase cases[] = {
      {PromptIcon::Stop, PromptButtons::Ok, IDI_HAND, IDOK, PromptAnswer::Ok},
      {PromptIcon::Exclamation, PromptButtons::Ok, IDI_EXCLAMATION, IDOK, PromptAnswer::Ok},
      {PromptIcon::Question, PromptButtons::OkCancel, IDI_QUESTION, IDOK, PromptAnswer::Ok},
      {PromptIcon::Question, PromptButtons::OkCancel, IDI_QUESTION, IDCANCEL, PromptAnswer::Cancel},
      {PromptIcon::Question, PromptButtons::YesNoCancel, IDI_QUESTION, IDYES, PromptAnswer::Yes},
      {PromptIcon::Question, PromptButtons::YesNoCancel, IDI_QUESTION, IDNO, PromptAnswer::No},
      {PromptIcon::Question, PromptButtons::YesNoCancel, IDI_QUESTION, IDCANCEL,
       PromptAnswer::Cancel},
  };
  BareDialog dialog;
  SendMessageW(dialog.window(), WM_NEXTDLGCTL, WPARAM(dialog.item(IDC_KEY)), TRUE);
  Win32Prompts boxes(dialog.window());
  Win32Controls controls(dialog.window());
  FocusReturningPrompts prompts(boxes, controls);
  for (const MessageCase& c : cases) {
    SeenBox seen;
    PromptAnswer answer = PromptAnswer::Cancel;
    {
      WhenBoxAppears act(dialog.window(), [&](HWND box) {
        seen = inspect(box);
        PostMessageW(box, WM_COMMAND, c.press, 0);
      });
      answer = prompts.message("Invalid input data!\nDiscard ?", "SCI", c.icon, c.buttons);
      ASSERT_TRUE(act.acted());
    }
    EXPECT_EQ(answer, c.expected);
    EXPECT_EQ(seen.caption, L"SCI");
    EXPECT_EQ(seen.text, L"Invalid input data!\nDiscard ?");
    EXPECT_EQ(seen.icon, LoadIconW(nullptr, c.systemIcon));
    EXPECT_EQ(seen.owner, dialog.window());
    EXPECT_EQ(seen.hasCancel, c.buttons != PromptButtons::Ok);
    EXPECT_EQ(GetFocus(), dialog.item(IDC_KEY)) << "focus back where it was";
  }
}

TEST(Prompts, TextOutsideTheAnsiCodePageReachesTheBox) {
  BareDialog dialog;
  Win32Prompts prompts(dialog.window());
  SeenBox seen;
  WhenBoxAppears act(dialog.window(), [&](HWND box) {
    seen = inspect(box);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  prompts.message("\xCE\xA9 \xE2\x82\xAC \xE6\x97\xA5", "caf\xC3\xA9", PromptIcon::Stop,
                  PromptButtons::Ok);
  EXPECT_EQ(seen.text, L"\u03A9 \u20AC \u65E5");
  EXPECT_EQ(seen.caption, L"caf\u00E9");
}

struct SeenFileDialog {
  std::wstring title;
  std::vector<std::wstring> filters;
  int selected = -1;
  HWND owner = nullptr;
  bool readOnlyBoxShown = true;
};

// The Explorer-style dialog's file type list (cmb1), name field (edt1 or
// the combo box cmb13) and read-only box (chx1).
constexpr int kFileTypes = 0x470;
constexpr int kNameEdit = 0x480;
constexpr int kNameCombo = 0x47c;
constexpr int kReadOnly = 0x410;

SeenFileDialog inspectFileDialog(HWND box) {
  SeenFileDialog seen;
  seen.title = textOf(box);
  seen.owner = GetWindow(box, GW_OWNER);
  const HWND types = GetDlgItem(box, kFileTypes);
  const auto count = SendMessageW(types, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring item(std::size_t(SendMessageW(types, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
    SendMessageW(types, CB_GETLBTEXT, i, LPARAM(item.data()));
    item.resize(item.size() - 1);
    seen.filters.push_back(item);
  }
  seen.selected = int(SendMessageW(types, CB_GETCURSEL, 0, 0));
  const HWND readOnly = GetDlgItem(box, kReadOnly);
  seen.readOnlyBoxShown = readOnly && IsWindowVisible(readOnly);
  return seen;
}

void typeNameAndAccept(HWND box, const wchar_t* name) {
  HWND field = GetDlgItem(box, kNameEdit);
  if (!field) field = GetDlgItem(box, kNameCombo);
  SetWindowTextW(field, name);
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), LPARAM(GetDlgItem(box, IDOK)));
}

TEST(Prompts, FileDialogsOfferTheFiltersStartInTheFolderAndReturnTheTypedName) {
  const std::array filters = {FileFilter{"BIN Files (*.bin)", "*.bin"},
                              FileFilter{"All Files (*.*)", "*.*"}};
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::filesystem::path folder = std::filesystem::path(temp) / L"sci-prompts-\u03A9";
  std::filesystem::create_directories(folder);

  BareDialog dialog;
  SendMessageW(dialog.window(), WM_NEXTDLGCTL, WPARAM(dialog.item(IDC_SERVER)), TRUE);
  Win32Prompts boxes(dialog.window());
  Win32Controls controls(dialog.window());
  FocusReturningPrompts prompts(boxes, controls);
  for (FileDialogMode mode : {FileDialogMode::Open, FileDialogMode::Save}) {
    SCOPED_TRACE(mode == FileDialogMode::Open ? "open" : "save");
    SeenFileDialog seen;
    std::optional<std::filesystem::path> chosen;
    {
      WhenBoxAppears act(dialog.window(), [&](HWND box) {
        seen = inspectFileDialog(box);
        typeNameAndAccept(box, L"list-\u65E5.bin");
      });
      FileRequest request;
      request.mode = mode;
      request.filters = filters;
      request.startFolder = folder;
      chosen = prompts.chooseFile(request);
      ASSERT_TRUE(act.acted());
    }
    EXPECT_EQ(seen.filters, (std::vector<std::wstring>{L"BIN Files (*.bin)", L"All Files (*.*)"}));
    EXPECT_EQ(seen.selected, 0);
    EXPECT_EQ(seen.owner, dialog.window());
    EXPECT_FALSE(seen.readOnlyBoxShown);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->wstring(), (folder / L"list-\u65E5.bin").wstring());
    EXPECT_EQ(GetFocus(), dialog.item(IDC_SERVER));
  }
  // The file dialogs make the folder they end in the current one.
  SetCurrentDirectoryW(temp);
  std::filesystem::remove_all(folder);
}

TEST(Prompts, CancelledFileDialogChoosesNothing) {
  BareDialog dialog;
  Win32Prompts prompts(dialog.window());
  const std::array filters = {FileFilter{"BIN Files (*.bin)", "*.bin"}};
  WhenBoxAppears act(dialog.window(), [](HWND box) { PostMessageW(box, WM_COMMAND, IDCANCEL, 0); });
  FileRequest request;
  request.mode = FileDialogMode::Save;
  request.filters = filters;
  EXPECT_FALSE(prompts.chooseFile(request).has_value());
}

}  // namespace
}  // namespace sci::win32
