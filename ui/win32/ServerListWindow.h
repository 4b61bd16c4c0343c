#pragma once
// The main dialog on template 102: routes the window's messages to the
// toolkit-free ServerListDialog and supplies the window furniture around it
// (system menu, icons, the minimised picture, the About box and help).

#include <windows.h>

#include <memory>

#include "ui/ServerListDialog.h"

namespace sci::win32 {

class ServerListWindow {
 public:
  explicit ServerListWindow(DialogSetup setup);
  ~ServerListWindow();
  ServerListWindow(const ServerListWindow&) = delete;
  ServerListWindow& operator=(const ServerListWindow&) = delete;

  // The modal run of the program; IDOK or IDCANCEL.
  INT_PTR runModal();
  // The same dialog without its own message loop, for tests in this process.
  HWND createModeless();
  HWND window() const { return window_; }
  HICON largeIcon() const { return largeIcon_; }

 private:
  struct Binding;
  static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);
  void initDialog();
  void addAboutItem();
  bool paintMinimised();

  // Handed to the core when the window is made.
  DialogSetup setup_;
  HWND window_ = nullptr;
  HICON largeIcon_ = nullptr;
  HICON smallIcon_ = nullptr;
  std::unique_ptr<Binding> binding_;
};

}  // namespace sci::win32
