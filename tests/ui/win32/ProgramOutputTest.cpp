// Where --help, --version and usage errors go from a program without a
// console: a standard handle the caller redirected, else a message box
// (the tests run without a console, so the parent-console route is left to
// a real command prompt).

#include <gtest/gtest.h>
#include <windows.h>

#include "tests/ui/win32/InProcess.h"
#include "ui/win32/ProgramOutput.h"

namespace sci::win32 {
namespace {

using test::childrenOfClass;
using test::textOf;
using test::WhenBoxAppears;

// Replaces one standard handle for the life of the object.
class StandardHandle {
 public:
  StandardHandle(DWORD which, HANDLE handle) : which_(which), saved_(GetStdHandle(which)) {
    SetStdHandle(which, handle);
  }
  ~StandardHandle() { SetStdHandle(which_, saved_); }

 private:
  DWORD which_;
  HANDLE saved_;
};

TEST(ProgramOutput, RedirectedHandlesGetTheTextAsUtf8) {
  struct Case {
    OutputKind kind;
    DWORD handle;
  };
  for (const Case& c : {Case{OutputKind::Information, STD_OUTPUT_HANDLE},
                        Case{OutputKind::Error, STD_ERROR_HANDLE}}) {
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    ASSERT_TRUE(CreatePipe(&readEnd, &writeEnd, nullptr, 0));
    {
      StandardHandle redirected(c.handle, writeEnd);
      EXPECT_EQ(deliverText("sciedit 1.0.0.1 \xCE\xA9\n", c.kind, "sciedit"),
                OutputRoute::StandardHandle);
    }
    CloseHandle(writeEnd);
    char buffer[64] = {};
    DWORD got = 0;
    ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr);
    CloseHandle(readEnd);
    EXPECT_EQ(std::string(buffer, got), "sciedit 1.0.0.1 \xCE\xA9\n");
  }
}

TEST(ProgramOutput, WithoutHandlesOrConsoleAMessageBoxShowsIt) {
  struct Case {
    OutputKind kind;
    LPCWSTR icon;
  };
  for (const Case& c :
       {Case{OutputKind::Information, IDI_ASTERISK}, Case{OutputKind::Error, IDI_HAND}}) {
    StandardHandle noOutput(STD_OUTPUT_HANDLE, nullptr);
    StandardHandle noError(STD_ERROR_HANDLE, nullptr);
    std::wstring caption, text;
    HICON icon = nullptr;
    OutputRoute route{};
    {
      WhenBoxAppears act(nullptr, [&](HWND box) {
        caption = textOf(box);
        for (HWND label : childrenOfClass(box, L"Static")) {
          if ((GetWindowLongW(label, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            icon = reinterpret_cast<HICON>(SendMessageW(label, STM_GETICON, 0, 0));
          } else if (!textOf(label).empty()) {
            text = textOf(label);
          }
        }
        PostMessageW(box, WM_COMMAND, IDOK, 0);
      });
      route = deliverText("Usage: sciedit [--config FILE] [LIST.bin]\n", c.kind, "sciedit");
      ASSERT_TRUE(act.acted());
    }
    EXPECT_EQ(route, OutputRoute::Popup);
    EXPECT_EQ(caption, L"sciedit");
    EXPECT_NE(text.find(L"Usage: sciedit [--config FILE] [LIST.bin]"), std::wstring::npos);
    EXPECT_EQ(icon, LoadIconW(nullptr, c.icon));
  }
}

}  // namespace
}  // namespace sci::win32
