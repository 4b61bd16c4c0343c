#pragma once
// An owned file descriptor (POSIX's, or the C runtime's on Windows). Closing is explicit so that a
// failing close can be reported; the destructor only cleans up on error paths.

#include <filesystem>

namespace sci {

class FileDescriptor {
 public:
  FileDescriptor() = default;
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor();
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  FileDescriptor& operator=(FileDescriptor&& other) noexcept;
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }

  // Throws FileError (Close) when the system reports a failure.
  void close(const std::filesystem::path& path);

 private:
  int fd_ = -1;
};

// The one call that differs by system: closes fd, and on failure sets error
// to the system's code (data/SystemError.h) and returns false.
bool closeDescriptor(int fd, int& error);

}  // namespace sci
