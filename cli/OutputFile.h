#pragma once
// Every file scitool writes goes through the data layer's atomic writes (a
// temporary file renamed over the target), like the editor's saves.

#include <functional>
#include <string>

#include "data/FileResult.h"

namespace sci {

// Runs the write and returns "" when it succeeded, otherwise the reason:
// the system's reason when the target cannot be opened, the editor's file
// error text for a failure after that.
std::string runOutputWrite(const std::string& path, const std::function<FileResult()>& write);

}  // namespace sci
