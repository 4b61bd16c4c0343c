#pragma once
// Drives the real sciedit.exe from another process, as a user would: reads
// its window with Win32 messages (by control id) and acts with real input
// (SendInput, absolute coordinates on every mouse event).

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sci::win32::test {

namespace fs = std::filesystem;

// A private folder for one test, removed afterwards.
class Folder {
 public:
  explicit Folder(const std::wstring& name = L"sciedit-driver-");
  ~Folder();
  const fs::path& path() const { return path_; }
  fs::path operator/(const std::wstring& name) const { return path_ / name; }

 private:
  fs::path path_;
};

// A top-level window that is not the main dialog: a message box, a file
// dialog, the About box or the help window.
struct Box {
  HWND window = nullptr;
  std::wstring caption;
  std::wstring text;  // the message text of a message box
};

// The path of the program under test: the installed one, else the build's.
fs::path sciedit();

enum class Start {
  Dialog,    // wait for the main dialog
  Detached,  // no console, no standard handles, wait for nothing
};

class Editor {
 public:
  // Starts sciedit.exe in folder with the arguments and waits for its dialog.
  // A message box that start-up shows is left open (see waitForBox).
  // program: which sciedit.exe; the one under test unless named.
  Editor(const fs::path& folder, const std::vector<std::wstring>& arguments = {},
         Start start = Start::Dialog, const fs::path& program = sciedit());
  ~Editor();
  Editor(const Editor&) = delete;
  Editor& operator=(const Editor&) = delete;

  HWND window() const { return window_; }
  HWND item(int id) const { return GetDlgItem(window_, id); }
  std::wstring text(int id) const;
  std::wstring caption() const;
  bool enabled(int id) const { return IsWindowEnabled(item(id)) != FALSE; }
  bool visible(int id) const { return IsWindowVisible(item(id)) != FALSE; }
  // The control that has the keyboard focus in the editor's thread.
  int focusedId() const;

  // Real input.
  void click(int id) const;
  // Clicks a control whose click may be repeated until done holds (a loaded
  // machine loses a click now and then); whether it came to hold.
  bool clickUntil(int id, const std::function<bool()>& done) const;
  void clickAt(POINT screen) const;
  // Clicks the up-down control's upper or lower half until the position
  // field shows the given one; whether it came to show it.
  bool clickSpinUntil(bool up, const std::wstring& position) const;
  void focusField(int id) const;  // a click into the field, then End
  void key(WORD vk, std::initializer_list<WORD> modifiers = {}) const;
  void type(const std::wstring& text) const;
  // Waits until the focused control's text has stopped changing.
  void settle() const;
  // Replaces a field's text by typing: select everything with the mouse-free
  // Home, Shift+End, then type.
  void retype(int id, const std::wstring& text) const;

  // A new top-level window of the editor's process, visible, of class
  // #32770 (boxes and dialogs); empty when none came within the time.
  Box waitForBox(std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;
  bool waitUntilNoBox(std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;
  // Waits for the process to end; its exit code, or -1 when it did not end.
  int waitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(10));
  bool running() const;
  DWORD processId() const { return process_.dwProcessId; }

 private:
  // Whether no control holds the mouse and no menu or move loop runs.
  bool mouseFree() const;

  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};

struct Finished {
  int exitCode = -1;
  std::string output;  // standard output and error together
};
// Runs sciedit.exe to its end with its standard output and error on a pipe.
Finished runWithPipe(const std::vector<std::wstring>& arguments);

// An installed sciedit.exe that the packaging tests name in the environment
// variable SCIEDIT_PROGRAM (a Windows path), if any.
std::optional<fs::path> installedSciedit();
// Repeats check until it holds or the time is up; whether it held.
bool waitUntil(const std::function<bool()>& check,
               std::chrono::milliseconds timeout = std::chrono::seconds(10));
std::wstring textOf(HWND window);
// Clicks the button until its box is gone; whether it went.
bool pressButton(HWND box, int id);
std::vector<unsigned char> fileBytes(const fs::path& path);

}  // namespace sci::win32::test
