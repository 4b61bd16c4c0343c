#pragma once
// A failure after a file was opened (read, write, size, flush, close,
// rename): carries the cause, the path and the operating system's error code.

#include <filesystem>
#include <stdexcept>
#include <string>

namespace sci {

enum class FileErrorCause {
  Generic,
  FileNotFound,
  BadPath,
  TooManyOpenFiles,
  AccessDenied,
  InvalidFile,
  RemoveCurrentDir,
  DirectoryFull,
  BadSeek,
  HardIO,
  SharingViolation,
  LockViolation,
  DiskFull,
  EndOfFile,
};

enum class FileOperation { Read, Size, Write, Flush, Close, Rename };

// The message text for a cause, with "%1" where the file name goes.
const char* causeText(FileErrorCause cause);

// POSIX errno to cause; unmapped values give Generic. POSIX builds only:
// code for both systems uses causeFromSystemError (data/SystemError.h).
FileErrorCause causeFromErrno(int error);

class FileError : public std::runtime_error {
 public:
  FileError(FileErrorCause cause, FileOperation operation, std::filesystem::path path, int osError);

  FileErrorCause cause() const { return cause_; }
  FileOperation operation() const { return operation_; }
  const std::filesystem::path& path() const { return path_; }
  int osError() const { return osError_; }

  // The user-facing text: %1 is the full path for write-side failures
  // (write, flush, rename) and "an unnamed file" for read, size and close.
  std::string userMessage() const;

 private:
  FileErrorCause cause_;
  FileOperation operation_;
  std::filesystem::path path_;
  int osError_;
};

}  // namespace sci
