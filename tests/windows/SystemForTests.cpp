#include <stdlib.h>
#include <windows.h>

#include "data/OpenForReading.h"
#include "data/SystemError.h"
#include "tests/SystemForTests.h"

namespace sci::test {

const int kIoErrorCode = ERROR_CRC;
const int kAccessDeniedCode = ERROR_ACCESS_DENIED;
const int kInUseCode = ERROR_SHARING_VIOLATION;
const int kDiskFullCode = ERROR_DISK_FULL;
const int kNotFoundCode = ERROR_FILE_NOT_FOUND;
const int kPathNotFoundCode = ERROR_PATH_NOT_FOUND;
// Windows calls are not interrupted by signals and retried.
const std::optional<int> kInterruptedCode = std::nullopt;

// Windows words its texts by language and version (and Wine its own way),
// so the expected reason is the system's text for the code scitool must pick.
std::string notFoundText() { return systemErrorText(ERROR_FILE_NOT_FOUND); }
std::string pathNotFoundText() { return systemErrorText(ERROR_PATH_NOT_FOUND); }
std::string isAFolderText() { return systemErrorText(folderError()); }
std::string ioErrorText() { return systemErrorText(ERROR_CRC); }

std::optional<std::string> makeFifo(const std::filesystem::path&) {
  return std::string("Windows has no named pipes in the file system");
}

HeldOpen::HeldOpen(const std::filesystem::path& path) {
  const HANDLE held = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (held == INVALID_HANDLE_VALUE) {
    unavailable = "cannot hold " + path.string() + ": " + systemErrorText(int(::GetLastError()));
    return;
  }
  handle_ = held;
}

HeldOpen::~HeldOpen() {
  if (handle_) ::CloseHandle(static_cast<HANDLE>(handle_));
}

std::filesystem::path nullDevice() { return "NUL"; }
// A device name with an extension still names the device.
std::filesystem::path otherDevice() { return "nul.bin"; }

void armWatchdog(unsigned) {}
void disarmWatchdog() {}

int processId() { return static_cast<int>(::GetCurrentProcessId()); }

std::string buildLocale(const std::string&, const std::string&, const std::filesystem::path&) {
  return "Windows has no localedef to build locales with";
}

void setEnvironment(const std::string& name, const std::optional<std::string>& value) {
  ::_putenv_s(name.c_str(), value ? value->c_str() : "");
}

std::optional<std::string> fileNamesAreNotBytes() {
  return std::string(
      "Windows file names are UTF-16 text without control characters, never arbitrary bytes");
}

}  // namespace sci::test
