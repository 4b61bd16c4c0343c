#include "cli/OutputFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "data/FileError.h"

namespace sci {
namespace {

// The atomic write gives a new file 0666 less the umask, so a stricter
// umask for the length of one write makes that file private without a
// second way of choosing modes. scitool does its file work on one thread.
class ScopedUmask {
 public:
  explicit ScopedUmask(NewFileAccess access) : old_(::umask(0)) {
    ::umask(access == NewFileAccess::OwnerOnly ? old_ | 077 : old_);
  }
  ~ScopedUmask() { ::umask(old_); }
  ScopedUmask(const ScopedUmask&) = delete;
  ScopedUmask& operator=(const ScopedUmask&) = delete;

 private:
  mode_t old_;
};

}  // namespace

std::string runOutputWrite(const std::string& path, const std::function<FileResult()>& write,
                           NewFileAccess access) {
  const ScopedUmask umask(access);
  try {
    errno = 0;
    if (write() == FileResult::Ok) return {};
    // A folder as target is refused without a failing call to report.
    std::error_code ignored;
    const int error = std::filesystem::is_directory(path, ignored) ? EISDIR : errno;
    return error != 0 ? "cannot write: " + std::generic_category().message(error)
                      : "cannot write (abort!)";
  } catch (const FileError& e) {
    return e.userMessage();
  }
}

}  // namespace sci
