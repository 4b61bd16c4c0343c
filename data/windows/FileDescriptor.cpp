#include <io.h>
#include <stdlib.h>

#include "data/FileDescriptor.h"

namespace sci {

// The descriptor is the C runtime's, wrapping a file handle; closing it
// closes the handle.
bool closeDescriptor(int fd, int& error) {
  if (::_close(fd) == 0) return true;
  // The runtime keeps the system's own code apart from errno.
  error = static_cast<int>(_doserrno);
  return false;
}

}  // namespace sci
