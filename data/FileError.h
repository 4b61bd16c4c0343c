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
  // state, when given, says what became of a file that was being written
  // in place, as the user must know whether it still holds the old list.
  FileError(FileErrorCause cause, FileOperation operation, std::filesystem::path path, int osError,
            std::string state = {});

  FileErrorCause cause() const { return cause_; }
  FileOperation operation() const { return operation_; }
  const std::filesystem::path& path() const { return path_; }
  int osError() const { return osError_; }
  const std::string& state() const { return state_; }

  // The user-facing text: %1 is the full path for write-side failures
  // (write, flush, rename) and "an unnamed file" for read, size and close.
  // The state, if any, follows as a sentence of its own.
  std::string userMessage() const;
  // Whether that text names the file (write, flush, rename).
  bool namesPath() const;

 private:
  FileErrorCause cause_;
  FileOperation operation_;
  std::filesystem::path path_;
  int osError_;
  std::string state_;
};

}  // namespace sci
