#include <unistd.h>

#include <cerrno>

#include "data/FileDescriptor.h"

namespace sci {

bool closeDescriptor(int fd, int& error) {
  if (::close(fd) == 0) return true;
  error = errno;
  return false;
}

}  // namespace sci
