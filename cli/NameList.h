#pragma once
// Opens the list of names that `check --files-from` reads: the
// system-specific part of it. One file per platform.

#include <string>

#include "data/FileDescriptor.h"

namespace sci {

// Opened for reading as it is, so a list still being written (a pipe, a
// terminal) is read as it grows. On failure the descriptor is not open and
// error holds the system's reason.
FileDescriptor openNameList(const std::string& path, int& error);

}  // namespace sci
