#pragma once
// The operating system's own error codes: errno values on POSIX systems,
// system error codes (GetLastError) on Windows. One implementation per
// platform, chosen by the build.

#include <string>

#include "data/FileError.h"

namespace sci {

// The calling thread's last error code, and a way to set it (for calls
// that fail without the system setting one, and for tests).
int lastSystemError();
void setLastSystemError(int error);

// The cause text an error code gives; unmapped values give Generic.
FileErrorCause causeFromSystemError(int error);

// The system's own description of an error code, for command-line messages.
std::string systemErrorText(int error);

}  // namespace sci
