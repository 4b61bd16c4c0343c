#include <unistd.h>

#include <cerrno>

#include "data/SystemFile.h"

namespace sci {

bool closeNativeFile(NativeFile file, int& error) {
  if (::close(file) == 0) return true;
  error = errno;
  return false;
}

}  // namespace sci
