#include "cli/OutputFile.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "data/FileError.h"

namespace sci {

std::string runOutputWrite(const std::string& path, const std::function<FileResult()>& write) {
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
