#pragma once
// What the tests need to know about the system they run on: the error codes
// they fake, the texts the system gives for the failures they cause, and
// the file kinds only some systems have. One implementation per platform.

#include <filesystem>
#include <optional>
#include <string>

namespace sci::test {

// Error codes as the running system spells them.
extern const int kIoErrorCode;       // a hardware I/O error (EIO, ERROR_CRC)
extern const int kNotFoundCode;      // a missing file (ENOENT, ERROR_FILE_NOT_FOUND)
extern const int kPathNotFoundCode;  // a missing folder on the way (ENOENT, ERROR_PATH_NOT_FOUND)
extern const int kAccessDeniedCode;  // EACCES, ERROR_ACCESS_DENIED
extern const int kInUseCode;     // a file another program holds (ETXTBSY, ERROR_SHARING_VIOLATION)
extern const int kDiskFullCode;  // ENOSPC, ERROR_DISK_FULL
// The code of a call interrupted by a signal, where calls can be.
extern const std::optional<int> kInterruptedCode;

// The system's reasons, as scitool prints them after "cannot open: ".
std::string notFoundText();
std::string pathNotFoundText();
std::string isAFolderText();
std::string ioErrorText();

// Makes a named pipe nobody writes to. Returns why not where the system
// has none in its file system; the caller then skips with that reason.
std::optional<std::string> makeFifo(const std::filesystem::path& path);

// Holds an existing file open, sharing nothing, as a scanner or another
// editor would, until destroyed. Where the system has no such holds (POSIX),
// `unavailable` says so and nothing is held.
class HeldOpen {
 public:
  explicit HeldOpen(const std::filesystem::path& path);
  ~HeldOpen();
  HeldOpen(const HeldOpen&) = delete;
  HeldOpen& operator=(const HeldOpen&) = delete;

  std::optional<std::string> unavailable;

 private:
  void* handle_ = nullptr;
};

// Devices that open like files but have no length: /dev/null and
// /dev/zero, or NUL and nul.bin.
std::filesystem::path nullDevice();
std::filesystem::path otherDevice();

// Fails the test run instead of letting it hang when a read waits forever;
// on systems without alarms a hang is left to ctest's timeout.
void armWatchdog(unsigned seconds);
void disarmWatchdog();

int processId();

// Builds a locale from its sources into `output` (localedef), for loading
// through LOCPATH; returns what went wrong where it could not.
std::string buildLocale(const std::string& source, const std::string& charset,
                        const std::filesystem::path& output);
// Sets or, for nothing, removes an environment variable.
void setEnvironment(const std::string& name, const std::optional<std::string>& value);

// Why file names cannot be arbitrary bytes here, or nothing where they can.
std::optional<std::string> fileNamesAreNotBytes();

}  // namespace sci::test
