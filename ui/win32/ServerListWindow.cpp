#include "ui/win32/ServerListWindow.h"

#include <commctrl.h>

#include "data/windows/Utf16.h"
#include "ui/DialogResources.h"
#include "ui/HelpText.h"
#include "ui/ServerListDialog.h"
#include "ui/win32/AboutBox.h"
#include "ui/win32/HelpWindow.h"
#include "ui/win32/Win32Controls.h"
#include "ui/win32/Win32Prompts.h"

namespace sci::win32 {

namespace {

// Posted at WM_INITDIALOG, so it arrives once the window is shown.
constexpr UINT kShown = WM_APP + 1;

// Windows places a template's dialog at its coordinates; the program's only
// window opens in the middle of the work area instead.
void centre(HWND window) {
  RECT frame;
  GetWindowRect(window, &frame);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& area = monitor.rcWork;
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  SetWindowPos(window, nullptr, area.left + (area.right - area.left - width) / 2,
               area.top + (area.bottom - area.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

struct ServerListWindow::Binding {
  Binding(HWND window, DialogSetup setup)
      : controls(window), prompts(window), core(controls, prompts, std::move(setup)) {}

  Win32Controls controls;
  Win32Prompts prompts;
  ServerListDialog core;
};

ServerListWindow::ServerListWindow(DialogSetup setup) : setup_(std::move(setup)) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  largeIcon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXICON),
                                             GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
  smallIcon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
}

ServerListWindow::~ServerListWindow() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
  if (largeIcon_) DestroyIcon(largeIcon_);
  if (smallIcon_) DestroyIcon(smallIcon_);
}

INT_PTR ServerListWindow::runModal() {
  return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SERVERLIST_DIALOG),
                         nullptr, dialogProc, reinterpret_cast<LPARAM>(this));
}

HWND ServerListWindow::createModeless() {
  return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SERVERLIST_DIALOG),
                            nullptr, dialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK ServerListWindow::dialogProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<ServerListWindow*>(lParam);
    SetWindowLongPtrW(window, DWLP_USER, lParam);
    self->window_ = window;
  }
  auto* self = reinterpret_cast<ServerListWindow*>(GetWindowLongPtrW(window, DWLP_USER));
  if (!self) return FALSE;
  const INT_PTR result = self->handle(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    self->binding_.reset();
    self->window_ = nullptr;
  }
  return result;
}

void ServerListWindow::addAboutItem() {
  const HMENU menu = GetSystemMenu(window_, FALSE);
  if (!menu) return;
  wchar_t text[128] = {};
  if (LoadStringW(GetModuleHandleW(nullptr), IDS_ABOUTBOX, text, int(std::size(text))) <= 0) {
    return;
  }
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, text);
}

void ServerListWindow::initDialog() {
  addAboutItem();
  SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_));
  SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
  centre(window_);
  binding_ = std::make_unique<Binding>(window_, setup_);
  binding_->core.OnInitDialog();
  PostMessageW(window_, kShown, 0, 0);
}

bool ServerListWindow::paintMinimised() {
  if (!IsIconic(window_)) return false;
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window_, &paint);
  SendMessageW(window_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  RECT client;
  GetClientRect(window_, &client);
  const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
  const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
  DrawIcon(dc, x, y, largeIcon_);
  EndPaint(window_, &paint);
  return true;
}

INT_PTR ServerListWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      initDialog();
      // The dialog manager puts the focus on the first tab stop.
      return TRUE;
    case kShown:
      if (binding_) binding_->core.OnShown();
      return TRUE;
    case WM_COMMAND: {
      if (!binding_) return FALSE;
      ServerListDialog& core = binding_->core;
      const WORD id = LOWORD(wParam);
      const WORD code = HIWORD(wParam);
      // Enter and Esc arrive as IDOK and IDCANCEL from the dialog manager.
      if (id == IDOK) {
        core.OnOK();
        return TRUE;
      }
      if (id == IDCANCEL) {
        core.OnCancel();
        return TRUE;
      }
      if (code != BN_CLICKED) return FALSE;
      switch (id) {
        case IDC_OPEN:
          core.OnOpen();
          return TRUE;
        case IDC_SAVE:
          core.OnSave();
          return TRUE;
        case IDC_COPY:
          core.OnCopy();
          return TRUE;
        case IDC_PASTE:
          core.OnPaste();
          return TRUE;
        case IDC_DELETE:
          core.OnDelete();
          return TRUE;
        default:
          return FALSE;
      }
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (!binding_ || header->idFrom != IDC_SPIN || header->code != UDN_DELTAPOS) return FALSE;
      auto* change = reinterpret_cast<NMUPDOWN*>(lParam);
      // The control adds iDelta to its position; a position within its range
      // is taken as it is, with no wrap.
      change->iDelta = binding_->core.OnDeltaPos(change->iDelta) - change->iPos;
      SetWindowLongPtrW(window_, DWLP_MSGRESULT, 0);
      return TRUE;
    }
    case WM_QUERYENDSESSION:
      if (!binding_) return FALSE;
      SetWindowLongPtrW(window_, DWLP_MSGRESULT, binding_->core.OnQueryEndSession() ? TRUE : FALSE);
      return TRUE;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == IDM_ABOUTBOX) {
        showAboutBox(window_);
        return TRUE;
      }
      return FALSE;
    case WM_PAINT:
      if (paintMinimised()) return TRUE;
      return FALSE;
    case WM_QUERYDRAGICON:
      return reinterpret_cast<INT_PTR>(largeIcon_);
    case WM_HELP:
      showHelp(window_, helpTitle(), helpText(HelpTopic::ServerList));
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace sci::win32
