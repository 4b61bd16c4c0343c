#include "ui/win32/ProgramOutput.h"

#include <windows.h>

#include <string>

#include "data/windows/Utf16.h"

namespace sci::win32 {

namespace {

bool writeConsole(HANDLE console, std::string_view text) {
  std::wstring wide;
  for (wchar_t ch : widen(text)) {
    if (ch == L'\n') wide += L'\r';
    wide += ch;
  }
  DWORD written = 0;
  return WriteConsoleW(console, wide.data(), DWORD(wide.size()), &written, nullptr) != FALSE;
}

// A handle the caller redirected: a pipe, a file or a console it shares.
bool writeHandle(HANDLE handle, std::string_view text) {
  if (!handle || handle == INVALID_HANDLE_VALUE) return false;
  const DWORD type = GetFileType(handle);
  if (type == FILE_TYPE_UNKNOWN) return false;
  DWORD mode = 0;
  if (type == FILE_TYPE_CHAR && GetConsoleMode(handle, &mode)) return writeConsole(handle, text);
  // Pipes and files get UTF-8, as scitool writes them.
  DWORD written = 0;
  return WriteFile(handle, text.data(), DWORD(text.size()), &written, nullptr) &&
         written == text.size();
}

}  // namespace

OutputRoute deliverText(std::string_view text, OutputKind kind, std::string_view caption) {
  const DWORD which = kind == OutputKind::Error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE;
  if (writeHandle(GetStdHandle(which), text)) return OutputRoute::StandardHandle;
  if (AttachConsole(ATTACH_PARENT_PROCESS)) {
    const HANDLE console =
        CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    // The shell printed its prompt already, since it does not wait for a GUI
    // program; a line break first keeps the text off the prompt's line.
    const bool written =
        console != INVALID_HANDLE_VALUE && writeConsole(console, std::string("\n").append(text));
    if (console != INVALID_HANDLE_VALUE) CloseHandle(console);
    FreeConsole();
    if (written) return OutputRoute::ParentConsole;
  }
  MessageBoxW(nullptr, widen(text).c_str(), widen(caption).c_str(),
              kind == OutputKind::Error ? MB_ICONHAND | MB_OK : MB_ICONINFORMATION | MB_OK);
  return OutputRoute::Popup;
}

}  // namespace sci::win32
