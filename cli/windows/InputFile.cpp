#include <stdio.h>
#include <stdlib.h>

#include "cli/Arguments.h"
#include "cli/InputText.h"

namespace sci {

// The runtime keeps the system's own error code apart from errno.

std::FILE* openInputFile(const std::string& path, int& error) {
  // The wide name reaches folders whose names the ANSI code page cannot hold.
  std::FILE* file = ::_wfopen(argumentPath(path).c_str(), L"rb");
  if (!file) error = static_cast<int>(_doserrno);
  return file;
}

int lastReadError() { return static_cast<int>(_doserrno); }

}  // namespace sci
