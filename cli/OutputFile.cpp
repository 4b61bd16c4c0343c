#include "cli/OutputFile.h"

#include <cerrno>
#include <system_error>

#include "data/FileError.h"

namespace sci {

std::string runOutputWrite(const std::function<FileResult()>& write) {
  try {
    errno = 0;
    if (write() == FileResult::Ok) return {};
    // Some refusals (a folder as target) are found without a failing call.
    const int error = errno;
    return error != 0 ? "cannot write: " + std::generic_category().message(error)
                      : "cannot write (abort!)";
  } catch (const FileError& e) {
    return e.userMessage();
  }
}

}  // namespace sci
