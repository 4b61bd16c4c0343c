#include <stdio.h>
#include <stdlib.h>

#include "cli/Arguments.h"
#include "cli/InputText.h"
#include "data/windows/HeldFile.h"
#include "data/windows/SystemPath.h"

namespace sci {

// The runtime keeps the system's own error code apart from errno.

std::FILE* openInputFile(const std::string& path, int& error) {
  // The wide name reaches folders whose names the ANSI code page cannot
  // hold, its long form folders deeper than 260 characters.
  const std::filesystem::path name = systemPath(argumentPath(path));
  std::FILE* file = nullptr;
  retryWhileHeld([&] {
    file = ::_wfopen(name.c_str(), L"rb");
    if (!file) ::SetLastError(static_cast<DWORD>(_doserrno));
    return file != nullptr;
  });
  if (!file) error = static_cast<int>(_doserrno);
  return file;
}

int lastReadError() { return static_cast<int>(_doserrno); }

}  // namespace sci
