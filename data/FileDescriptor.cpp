#include "data/FileDescriptor.h"

#include "data/FileError.h"
#include "data/SystemError.h"

namespace sci {

FileDescriptor::~FileDescriptor() {
  int ignored = 0;
  if (fd_ >= 0) closeDescriptor(fd_, ignored);
}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
  if (this != &other) {
    int ignored = 0;
    if (fd_ >= 0) closeDescriptor(fd_, ignored);
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

void FileDescriptor::close(const std::filesystem::path& path) {
  const int fd = fd_;
  fd_ = -1;
  // The descriptor is gone after a close whatever it returns, so no retry.
  int error = 0;
  if (fd >= 0 && !closeDescriptor(fd, error)) {
    throw FileError(causeFromSystemError(error), FileOperation::Close, path, error);
  }
}

}  // namespace sci
