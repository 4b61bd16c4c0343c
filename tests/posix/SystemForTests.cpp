#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "tests/SystemForTests.h"

namespace sci::test {

const int kIoErrorCode = EIO;
const int kNotFoundCode = ENOENT;
const int kPathNotFoundCode = ENOENT;
const std::optional<int> kInterruptedCode = EINTR;

// The texts are spelt out, not asked of the system, so a change in what
// scitool reports shows up here.
std::string notFoundText() { return "No such file or directory"; }
std::string pathNotFoundText() { return "No such file or directory"; }
std::string isAFolderText() { return "Is a directory"; }
std::string ioErrorText() { return "Input/output error"; }

std::optional<std::string> makeFifo(const std::filesystem::path& path) {
  if (::mkfifo(path.c_str(), 0600) == 0) return std::nullopt;
  return std::string("mkfifo failed: ") + std::strerror(errno);
}

std::filesystem::path nullDevice() { return "/dev/null"; }
std::filesystem::path otherDevice() { return "/dev/zero"; }

void armWatchdog(unsigned seconds) { ::alarm(seconds); }
void disarmWatchdog() { ::alarm(0); }

int processId() { return static_cast<int>(::getpid()); }

std::optional<std::string> fileNamesAreNotBytes() { return std::nullopt; }

}  // namespace sci::test
