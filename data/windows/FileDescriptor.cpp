#include "data/FileDescriptor.h"

#include <io.h>
#include <stdlib.h>

#include "data/FileError.h"
#include "data/SystemError.h"

namespace sci {

// On Windows the descriptor is the C runtime's, wrapping a file handle, so
// the same seams serve both systems; closing it closes the handle.
FileDescriptor::~FileDescriptor() {
  if (fd_ >= 0) ::_close(fd_);
}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::_close(fd_);
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

void FileDescriptor::close(const std::filesystem::path& path) {
  const int fd = fd_;
  fd_ = -1;
  if (fd >= 0 && ::_close(fd) != 0) {
    // The runtime keeps the system's own code apart from errno.
    const int error = static_cast<int>(_doserrno);
    throw FileError(causeFromSystemError(error), FileOperation::Close, path, error);
  }
}

}  // namespace sci
