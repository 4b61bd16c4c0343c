#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "tests/SystemForTests.h"

namespace sci::test {

const int kIoErrorCode = EIO;
const int kNotFoundCode = ENOENT;
const int kPathNotFoundCode = ENOENT;
const int kAccessDeniedCode = EACCES;
const int kInUseCode = ETXTBSY;
const int kDiskFullCode = ENOSPC;
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

HeldOpen::HeldOpen(const std::filesystem::path&)
    : unavailable("POSIX systems do not let one program's open shut out another's") {}
HeldOpen::~HeldOpen() = default;

std::filesystem::path nullDevice() { return "/dev/null"; }
std::filesystem::path otherDevice() { return "/dev/zero"; }

void armWatchdog(unsigned seconds) { ::alarm(seconds); }
void disarmWatchdog() { ::alarm(0); }

int processId() { return static_cast<int>(::getpid()); }

std::optional<std::string> fileNamesAreNotBytes() { return std::nullopt; }

std::string buildLocale(const std::string& source, const std::string& charset,
                        const std::filesystem::path& output) {
  const std::string command =
      "localedef -i " + source + " -f " + charset + " '" + output.string() + "' >/dev/null 2>&1";
  // localedef exits with 1 for mere warnings; the caller tries the locale.
  const int status = std::system(command.c_str());
  return "`localedef -i " + source + " -f " + charset + "` exit status " +
         std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : status) +
         " (the locales package holds its sources)";
}

void setEnvironment(const std::string& name, const std::optional<std::string>& value) {
  if (value) {
    ::setenv(name.c_str(), value->c_str(), 1);
  } else {
    ::unsetenv(name.c_str());
  }
}

}  // namespace sci::test
