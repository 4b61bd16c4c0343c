#include "cli/NameList.h"

#include <fcntl.h>

#include <cerrno>

namespace sci {

SystemFile openNameList(const std::string& path, int& error) {
  SystemFile file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!file) error = errno;
  return file;
}

}  // namespace sci

namespace sci {

// A CR is an ordinary character of a file name here.
void trimNameListLineEnd(std::string&) {}

}  // namespace sci
