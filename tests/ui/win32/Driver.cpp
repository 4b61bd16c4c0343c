#include "tests/ui/win32/Driver.h"

#include <commctrl.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <stdexcept>
#include <thread>

#include "ui/DialogResources.h"

namespace sci::win32::test {

namespace {

using namespace std::chrono_literals;

void pause(std::chrono::milliseconds time = 30ms) { std::this_thread::sleep_for(time); }

std::wstring className(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

struct Search {
  DWORD process;
  HWND except;
  std::function<bool(HWND)> wanted;
  HWND found = nullptr;
  bool visibleOnly = true;
};

// A dialog shows its start-up messages before it is visible itself.
HWND findTopLevel(DWORD process, HWND except, const std::function<bool(HWND)>& wanted,
                  bool visibleOnly = true) {
  Search search{process, except, wanted};
  search.visibleOnly = visibleOnly;
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != s->process || window == s->except) return TRUE;
        if (s->visibleOnly && !IsWindowVisible(window)) return TRUE;
        if (className(window) != L"#32770" || !s->wanted(window)) return TRUE;
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void send(std::vector<INPUT> inputs) {
  SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
  pause();
}

INPUT keyInput(WORD vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

// Absolute coordinates on every event: Wine takes a relative one as a move.
INPUT mouseInput(POINT screen, DWORD flags) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = LONG((screen.x * 65535LL + width / 2) / (width - 1));
  input.mi.dy = LONG((screen.y * 65535LL + height / 2) / (height - 1));
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
  return input;
}

// Under load Wine can take a press that follows a move at the pointer's
// old place, on a box's other button: the pointer is made to stay put
// first, and the press and release carry the place themselves.
void clickScreen(POINT screen) {
  const auto arrived = [&] {
    POINT now{};
    return GetCursorPos(&now) && now.x == screen.x && now.y == screen.y;
  };
  send({mouseInput(screen, MOUSEEVENTF_MOVE)});
  waitUntil([&] { return arrived() && (pause(100ms), arrived()); }, 2s);
  send({mouseInput(screen, MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN),
        mouseInput(screen, MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP)});
}

std::wstring quoted(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
  std::wstring out = L"\"";
  for (wchar_t ch : argument) {
    if (ch == L'"') out += L'\\';
    out += ch;
  }
  return out + L"\"";
}

}  // namespace

Folder::Folder(const std::wstring& name) {
  static std::mt19937_64 generator{std::random_device{}()};
  path_ = fs::temp_directory_path() / (name + std::to_wstring(generator()));
  fs::create_directories(path_);
}

Folder::~Folder() {
  std::error_code error;
  fs::remove_all(path_, error);
}

std::optional<fs::path> installedSciedit() {
  const wchar_t* path = _wgetenv(L"SCIEDIT_PROGRAM");
  if (!path || !*path) return std::nullopt;
  return fs::path(path);
}

fs::path sciedit() {
  if (auto installed = installedSciedit()) return *installed;
  // The build names it by its Linux path; Wine shows the Linux root as Z:.
  std::wstring path = L"Z:";
  for (char ch : std::string(SCIEDIT_PROGRAM)) path += ch == '/' ? L'\\' : wchar_t(ch);
  return path;
}

bool waitUntil(const std::function<bool()>& check, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!check()) {
    if (std::chrono::steady_clock::now() > end) return false;
    pause(20ms);
  }
  return true;
}

std::wstring textOf(HWND window) {
  std::wstring text(std::size_t(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
  const auto length = SendMessageW(window, WM_GETTEXT, text.size(), LPARAM(text.data()));
  text.resize(std::size_t(length));
  return text;
}

bool pressButton(HWND box, int id) {
  // A click that lands while a loaded machine is still placing the box is
  // lost; the same button is pressed again, never another box's.
  for (int attempt = 0; attempt < 3 && IsWindow(box); ++attempt) {
    const HWND button = GetDlgItem(box, id);
    POINT centre{};
    // A box that is still being placed or raised would take the click on
    // another of its buttons, or let it through to the window below.
    const bool underMouse = waitUntil(
        [&] {
          RECT rect;
          if (!GetWindowRect(button, &rect)) return false;
          centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
          return WindowFromPoint(centre) == button;
        },
        std::chrono::seconds(5));
    if (!underMouse) break;
    clickScreen(centre);
    waitUntil([&] { return !IsWindow(box); }, std::chrono::seconds(5));
  }
  return !IsWindow(box);
}

std::vector<unsigned char> fileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::wstring commandLineOf(const fs::path& program, const std::vector<std::wstring>& arguments) {
  std::wstring commandLine = quoted(program.wstring());
  for (const std::wstring& argument : arguments) commandLine += L" " + quoted(argument);
  return commandLine;
}

Finished runWithPipe(const std::vector<std::wstring>& arguments) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) throw std::runtime_error("no pipe");
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  PROCESS_INFORMATION process{};
  std::wstring commandLine = commandLineOf(sciedit(), arguments);
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                      &startup, &process)) {
    throw std::runtime_error("cannot start sciedit.exe");
  }
  CloseHandle(writeEnd);
  Finished finished;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    finished.output.append(buffer, got);
  }
  CloseHandle(readEnd);
  if (WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0) {
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    finished.exitCode = int(code);
  } else {
    TerminateProcess(process.hProcess, 99);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return finished;
}

Editor::Editor(const fs::path& folder, const std::vector<std::wstring>& arguments, Start start,
               const fs::path& program) {
  std::wstring commandLine = commandLineOf(program, arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  DWORD flags = 0;
  if (start == Start::Detached) {
    // No standard handles and no console to attach to, as when Explorer
    // starts the program.
    startup.dwFlags = STARTF_USESTDHANDLES;
    flags = DETACHED_PROCESS;
  }
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr,
                      folder.c_str(), &startup, &process_)) {
    throw std::runtime_error("cannot start sciedit.exe");
  }
  if (start == Start::Detached) return;
  WaitForInputIdle(process_.hProcess, 20000);
  waitUntil(
      [&] {
        window_ = findTopLevel(
            process_.dwProcessId, nullptr,
            [](HWND w) { return GetDlgItem(w, IDC_SERVER) != nullptr; }, false);
        return window_ != nullptr;
      },
      30s);
  if (!window_) {
    TerminateProcess(process_.hProcess, 99);
    throw std::runtime_error("sciedit.exe showed no window");
  }
}

Editor::~Editor() {
  if (running()) {
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

std::wstring Editor::text(int id) const { return textOf(item(id)); }
std::wstring Editor::caption() const { return textOf(window_); }

int Editor::focusedId() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(process_.dwThreadId, &info) || !info.hwndFocus) return 0;
  return GetDlgCtrlID(info.hwndFocus);
}

bool Editor::mouseFree() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(process_.dwThreadId, &info)) return true;
  return !info.hwndCapture && !(info.flags & (GUI_INMENUMODE | GUI_INMOVESIZE | GUI_POPUPMENUMODE));
}

void Editor::clickAt(POINT screen) const {
  // A control that still holds the mouse (an up-down arrow between press and
  // release) takes the next click for itself.
  waitUntil([&] { return mouseFree(); }, 2s);
  clickScreen(screen);
  waitUntil([&] { return mouseFree(); }, 2s);
}

void Editor::click(int id) const {
  RECT rect;
  GetWindowRect(item(id), &rect);
  clickAt({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

bool Editor::clickUntil(int id, const std::function<bool()>& done) const {
  for (int attempt = 0; attempt < 3; ++attempt) {
    click(id);
    if (waitUntil(done, 5s)) return true;
  }
  return false;
}

bool Editor::clickSpinUntil(bool up, const std::wstring& position) const {
  RECT rect;
  GetWindowRect(item(IDC_SPIN), &rect);
  const int quarter = (rect.bottom - rect.top) / 4;
  const POINT half{(rect.left + rect.right) / 2, up ? rect.top + quarter : rect.bottom - quarter};
  // A lost click moves nothing, so clicking again cannot step twice.
  for (int attempt = 0; attempt < 3; ++attempt) {
    clickAt(half);
    if (waitUntil([&] { return text(IDC_POSITION) == position; }, 5s)) return true;
  }
  return false;
}

void Editor::focusField(int id) const {
  clickUntil(id, [&] { return focusedId() == id; });
  key(VK_END);
}

void Editor::key(WORD vk, std::initializer_list<WORD> modifiers) const {
  std::vector<INPUT> inputs;
  for (WORD modifier : modifiers) inputs.push_back(keyInput(modifier, false));
  inputs.push_back(keyInput(vk, false));
  inputs.push_back(keyInput(vk, true));
  for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) {
    inputs.push_back(keyInput(*it, true));
  }
  send(inputs);
}

void Editor::type(const std::wstring& text) const {
  std::vector<INPUT> inputs;
  for (wchar_t ch : text) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = ch;
    input.ki.dwFlags = KEYEVENTF_UNICODE;
    inputs.push_back(input);
    input.ki.dwFlags |= KEYEVENTF_KEYUP;
    inputs.push_back(input);
  }
  send(inputs);
  settle();
}

void Editor::settle() const {
  // Input is queued: the text is read once it has stopped changing.
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(process_.dwThreadId, &info) || !info.hwndFocus) return;
  std::wstring last = textOf(info.hwndFocus);
  int unchanged = 0;
  for (int i = 0; i < 100 && unchanged < 5; ++i) {
    pause(50ms);
    const std::wstring now = textOf(info.hwndFocus);
    unchanged = now == last ? unchanged + 1 : 0;
    last = now;
  }
}

void Editor::retype(int id, const std::wstring& text) const {
  clickUntil(id, [&] { return focusedId() == id; });
  // Wine's edit control has no Ctrl+A.
  key(VK_HOME);
  key(VK_END, {VK_SHIFT});
  key(VK_DELETE);
  type(text);
}

Box Editor::waitForBox(std::chrono::milliseconds timeout) const {
  Box box;
  waitUntil(
      [&] {
        box.window = findTopLevel(process_.dwProcessId, window_, [](HWND) { return true; });
        return box.window != nullptr;
      },
      timeout);
  if (!box.window) return box;
  // Give the box its texts before they are read.
  pause(100ms);
  box.caption = textOf(box.window);
  for (HWND child = GetWindow(box.window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (className(child) == L"Static" &&
        (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON && !textOf(child).empty()) {
      box.text = textOf(child);
      break;
    }
  }
  return box;
}

bool Editor::waitUntilNoBox(std::chrono::milliseconds timeout) const {
  return waitUntil(
      [&] {
        return findTopLevel(process_.dwProcessId, window_, [](HWND) { return true; }) == nullptr;
      },
      timeout);
}

int Editor::waitForExit(std::chrono::milliseconds timeout) {
  if (WaitForSingleObject(process_.hProcess, DWORD(timeout.count())) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return int(code);
}

bool Editor::running() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

}  // namespace sci::win32::test
