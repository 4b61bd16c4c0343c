#pragma once
// Opens the list of names that `check --files-from` reads: the
// system-specific part of it. One file per platform.

#include <string>

#include "data/SystemFile.h"

namespace sci {

// Opened for reading as it is, so a list still being written (a pipe, a
// terminal) is read as it grows. On failure the file is not open and
// error holds the system's reason.
SystemFile openNameList(const std::string& path, int& error);

// A name as a newline-separated list holds it: on Windows such lists end
// their lines in CR LF (what "dir /b > names.txt" writes), so one CR before
// the newline is dropped; elsewhere a CR is part of the name.
void trimNameListLineEnd(std::string& name);

}  // namespace sci
