#include "cli/NameList.h"

#include <fcntl.h>

#include <cerrno>

namespace sci {

FileDescriptor openNameList(const std::string& path, int& error) {
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd) error = errno;
  return fd;
}

}  // namespace sci

namespace sci {

// A CR is an ordinary character of a file name here.
void trimNameListLineEnd(std::string&) {}

}  // namespace sci
