#include "cli/OutputFile.h"

#include <filesystem>
#include <system_error>

#include "cli/Arguments.h"
#include "cli/NewFileAccess.h"
#include "data/FileError.h"
#include "data/OpenForReading.h"
#include "data/SystemError.h"

namespace sci {

std::string runOutputWrite(const std::string& path, const std::function<FileResult()>& write,
                           NewFileAccess access) {
  const NewFileAccessScope scope(access);
  try {
    setLastSystemError(0);
    if (write() == FileResult::Ok) return {};
    // A folder as target is refused without a failing call to report.
    const int error = lastSystemError();
    std::error_code ignored;
    const int reason =
        std::filesystem::is_directory(argumentPath(path), ignored) ? folderError() : error;
    return reason != 0 ? "cannot write: " + systemErrorText(reason) : "cannot write (abort!)";
  } catch (const FileError& e) {
    return e.userMessage();
  }
}

}  // namespace sci
