#pragma once
// Every file scitool writes goes through the data layer's atomic writes (a
// temporary file renamed over the target), like the editor's saves.

#include <functional>
#include <string>

#include "data/FileResult.h"

namespace sci {

// Who may read a file that the write creates. A file that exists keeps its
// mode either way, as the atomic write keeps it for every save.
enum class NewFileAccess {
  Umask,      // 0666 less the umask, like any file a program creates
  OwnerOnly,  // 0600 (less the umask): for clear passwords
};

// Runs the write and returns "" when it succeeded, otherwise the reason:
// the system's reason when the target cannot be opened, the editor's file
// error text for a failure after that.
std::string runOutputWrite(const std::string& path, const std::function<FileResult()>& write,
                           NewFileAccess access = NewFileAccess::Umask);

}  // namespace sci
