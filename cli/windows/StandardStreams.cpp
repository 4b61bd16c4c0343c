#include "cli/StandardStreams.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "data/windows/Utf16.h"

namespace sci {

void useBinaryStandardStreams() {
  ::_setmode(::_fileno(stdin), _O_BINARY);
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
}

namespace {

// Only a console has a console mode; _isatty would also take NUL for one.
bool isConsole(HANDLE handle) {
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle, &mode) != 0;
}

// Pieces small enough for any console, never split inside a surrogate pair.
constexpr std::size_t kConsolePiece = 8192;

}  // namespace

NativeFile standardInputFile() { return ::GetStdHandle(STD_INPUT_HANDLE); }

bool standardOutputIsTerminal() { return isConsole(::GetStdHandle(STD_OUTPUT_HANDLE)); }

void writeText(std::FILE* stream, std::string_view utf8) {
  const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(stream)));
  if (isConsole(handle)) {
    // What went out through the runtime's buffer shows first.
    std::fflush(stream);
    const std::wstring text = win32::widen(utf8);
    std::size_t done = 0;
    while (done < text.size()) {
      std::size_t piece = std::min(kConsolePiece, text.size() - done);
      if (piece < text.size() - done && IS_HIGH_SURROGATE(text[done + piece - 1])) --piece;
      DWORD written = 0;
      if (!::WriteConsoleW(handle, text.data() + done, static_cast<DWORD>(piece), &written,
                           nullptr) ||
          written == 0) {
        break;
      }
      done += written;
    }
    if (done == text.size()) return;
    // A console that refuses UTF-16 still gets the rest, as bytes.
    const std::string rest = win32::narrow(std::wstring_view(text).substr(done));
    std::fwrite(rest.data(), 1, rest.size(), stream);
    return;
  }
  std::fwrite(utf8.data(), 1, utf8.size(), stream);
}

}  // namespace sci
