#include "tests/ui/win32/InProcess.h"

#include "ui/DialogResources.h"

namespace sci::win32::test {

namespace {

INT_PTR CALLBACK bareProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

WhenBoxAppears* current = nullptr;

}  // namespace

BareDialog::BareDialog()
    : window_(CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SERVERLIST_DIALOG),
                                 nullptr, bareProc, 0)) {
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
}

BareDialog::~BareDialog() { DestroyWindow(window_); }

WhenBoxAppears::WhenBoxAppears(HWND owner, std::function<void(HWND)> act)
    : owner_(owner), act_(std::move(act)), timer_(SetTimer(nullptr, 0, 50, tick)) {
  current = this;
}

WhenBoxAppears::~WhenBoxAppears() {
  KillTimer(nullptr, timer_);
  current = nullptr;
}

void CALLBACK WhenBoxAppears::tick(HWND, UINT, UINT_PTR, DWORD) {
  WhenBoxAppears* self = current;
  if (!self || self->acted_) return;
  struct Search {
    HWND owner;
    HWND found = nullptr;
  } search{self->owner_};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        if (window == s->owner || !IsWindowVisible(window)) return TRUE;
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (std::wstring(name) != L"#32770") return TRUE;
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  if (!search.found) return;
  self->acted_ = true;
  self->act_(search.found);
}

std::wstring textOf(HWND window) {
  std::wstring text(std::size_t(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
  const auto length = SendMessageW(window, WM_GETTEXT, text.size(), LPARAM(text.data()));
  text.resize(std::size_t(length));
  return text;
}

std::vector<HWND> childrenOfClass(HWND parent, const wchar_t* className) {
  std::vector<HWND> found;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t name[64] = {};
    GetClassNameW(child, name, 64);
    if (lstrcmpiW(name, className) == 0) found.push_back(child);
  }
  return found;
}

}  // namespace sci::win32::test
