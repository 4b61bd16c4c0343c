#include <windows.h>

#include "tests/cli/RunProcess.h"

namespace sci::test {
namespace {

constexpr DWORD kTimedOutExitCode = 128 + 14;

std::wstring widen(const std::string& text) {
  if (text.empty()) return {};
  const int size =
      ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

// Quotes one argument so that the C runtime's command line parsing gives
// it back unchanged: backslashes double only before a quote.
std::wstring quoted(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) return arg;
  std::wstring out = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    out.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    out += c;
  }
  out.append(2 * backslashes, L'\\');
  return out + L"\"";
}

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (*this) ::CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

HANDLE openInherited(const std::filesystem::path& path, bool forWriting) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  return ::CreateFileW(path.c_str(), forWriting ? GENERIC_WRITE : GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                       forWriting ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

int runProcess(const ProcessRun& run) {
  const Handle in(openInherited(run.input, false));
  const Handle out(openInherited(run.output, true));
  const Handle err(openInherited(run.error, true));
  if (!in || !out || !err || run.argv.empty()) return -1;

  std::wstring commandLine;
  for (const std::string& arg : run.argv) {
    if (!commandLine.empty()) commandLine += L' ';
    commandLine += quoted(widen(arg));
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in.get();
  startup.hStdOutput = out.get();
  startup.hStdError = err.get();
  PROCESS_INFORMATION process{};
  const std::wstring program = widen(run.argv.front());
  if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                        CREATE_NO_WINDOW, nullptr, run.workDir.c_str(), &startup, &process)) {
    return -1;
  }
  const Handle processHandle(process.hProcess);
  const Handle threadHandle(process.hThread);
  if (::WaitForSingleObject(process.hProcess, run.timeoutSeconds * 1000) == WAIT_TIMEOUT) {
    ::TerminateProcess(process.hProcess, kTimedOutExitCode);
    ::WaitForSingleObject(process.hProcess, INFINITE);
  }
  DWORD code = 0;
  if (!::GetExitCodeProcess(process.hProcess, &code)) return -1;
  return static_cast<int>(code);
}

}  // namespace sci::test
