#include <cerrno>
#include <cstdio>

#include "cli/InputText.h"

namespace sci {

std::FILE* openInputFile(const std::string& path, int& error) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) error = errno;
  return file;
}

int lastReadError() { return errno; }

}  // namespace sci
