#include "data/FileDescriptor.h"

#include <unistd.h>

#include <cerrno>

#include "data/FileError.h"

namespace sci {

FileDescriptor::~FileDescriptor() {
  if (fd_ >= 0) ::close(fd_);
}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

void FileDescriptor::close(const std::filesystem::path& path) {
  const int fd = fd_;
  fd_ = -1;
  // The descriptor is gone after close() whatever it returns, so no retry.
  if (fd >= 0 && ::close(fd) != 0) {
    const int error = errno;
    throw FileError(causeFromErrno(error), FileOperation::Close, path, error);
  }
}

}  // namespace sci
