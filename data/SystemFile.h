#pragma once
// The system's own open file, owned: a POSIX descriptor, or a Windows HANDLE
// as CreateFileW gave it, with no C runtime descriptor in between. Closing is
// explicit so that a failing close can be reported; the destructor only
// cleans up on error paths.

#include <filesystem>

// NativeFile and kNoNativeFile: data/posix/NativeFile.h or
// data/windows/NativeFile.h, as the build chooses.
#include SCIEDIT_NATIVE_FILE_HEADER

namespace sci {

class SystemFile {
 public:
  SystemFile() = default;
  explicit SystemFile(NativeFile file) : file_(file) {}
  ~SystemFile();
  SystemFile(SystemFile&& other) noexcept : file_(other.file_) { other.file_ = kNoNativeFile; }
  SystemFile& operator=(SystemFile&& other) noexcept;
  SystemFile(const SystemFile&) = delete;
  SystemFile& operator=(const SystemFile&) = delete;

  NativeFile get() const { return file_; }
  explicit operator bool() const { return file_ != kNoNativeFile; }

  // Throws FileError (Close) when the system reports a failure.
  void close(const std::filesystem::path& path);

 private:
  NativeFile file_ = kNoNativeFile;
};

// The one call that differs by system: closes file, and on failure sets
// error to the system's code (data/SystemError.h) and returns false.
bool closeNativeFile(NativeFile file, int& error);

}  // namespace sci
