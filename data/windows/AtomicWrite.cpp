#include "data/AtomicWrite.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <random>
#include <string>

#include "data/FileDescriptor.h"
#include "data/FileError.h"
#include "data/SystemError.h"

namespace sci {
namespace {

namespace fs = std::filesystem;

// Keeps ".<name>.XXXXXX" inside the usual 255-character name limit.
constexpr std::size_t kMaxTempStem = 200;
constexpr int kTempNameAttempts = 100;

[[noreturn]] void fail(FileOperation operation, const fs::path& path, DWORD error) {
  throw FileError(causeFromSystemError(static_cast<int>(error)), operation, path,
                  static_cast<int>(error));
}

HANDLE handleOf(int fd) { return reinterpret_cast<HANDLE>(::_get_osfhandle(fd)); }

// The descriptor owns the handle from here on, so one close releases both.
FileDescriptor adopt(HANDLE handle) {
  if (handle == INVALID_HANDLE_VALUE) return FileDescriptor();
  const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_BINARY);
  if (fd < 0) ::CloseHandle(handle);
  return FileDescriptor(fd);
}

// No sharing, as a plain save opens its file: while the save runs nobody
// else reads a half-written file.
HANDLE openForWriting(const fs::path& path, DWORD disposition) {
  return ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

void writeAll(int fd, std::span<const std::uint8_t> content, const WriteOps& ops,
              const fs::path& target) {
  std::size_t done = 0;
  while (done < content.size()) {
    setLastSystemError(0);
    const long n = ops.write(fd, content.data() + done, content.size() - done);
    if (n < 0) fail(FileOperation::Write, target, ::GetLastError());
    // Nothing stored and no reason given: the device has no room left.
    if (n == 0) {
      throw FileError(FileErrorCause::DiskFull, FileOperation::Write, target,
                      static_cast<int>(::GetLastError()));
    }
    if (static_cast<std::size_t>(n) > content.size() - done) {
      throw FileError(FileErrorCause::Generic, FileOperation::Write, target, 0);
    }
    done += static_cast<std::size_t>(n);
  }
}

void flush(int fd, const WriteOps& ops, const fs::path& target, bool diskFile) {
  if (ops.fsync(fd) == 0) return;
  // Devices such as NUL have nothing to flush and may say so.
  if (!diskFile) return;
  fail(FileOperation::Flush, target, ::GetLastError());
}

FileResult writeInPlace(FileDescriptor fd, const fs::path& target,
                        std::span<const std::uint8_t> content, const WriteOps& ops, bool diskFile) {
  writeAll(fd.get(), content, ops, target);
  flush(fd.get(), ops, target, diskFile);
  fd.close(target);
  return FileResult::Ok;
}

// A file we may write but whose folder takes no new files: written over
// from the start and cut to the new length only once all of it is there,
// so a failure part-way leaves no shorter file than before.
FileResult rewriteInPlace(const fs::path& target, std::span<const std::uint8_t> content,
                          const WriteOps& ops) {
  FileDescriptor fd = adopt(openForWriting(target, OPEN_EXISTING));
  if (!fd) return FileResult::OpenFailed;
  writeAll(fd.get(), content, ops, target);
  if (!::SetEndOfFile(handleOf(fd.get()))) fail(FileOperation::Write, target, ::GetLastError());
  flush(fd.get(), ops, target, true);
  fd.close(target);
  return FileResult::Ok;
}

// Removes the temporary file unless the replace took it over.
class TempFileGuard {
 public:
  TempFileGuard() = default;
  ~TempFileGuard() {
    if (!path_.empty()) ::DeleteFileW(path_.c_str());
  }
  TempFileGuard(const TempFileGuard&) = delete;
  TempFileGuard& operator=(const TempFileGuard&) = delete;
  void watch(fs::path path) { path_ = std::move(path); }
  void release() { path_.clear(); }

 private:
  fs::path path_;
};

// A new file beside the target with a name nobody else uses.
FileDescriptor createTemp(const fs::path& folder, const std::wstring& name, fs::path& tempPath) {
  static constexpr wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
  static std::mt19937 generator{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, std::size(kLetters) - 2);
  DWORD error = ERROR_FILE_EXISTS;
  for (int attempt = 0; attempt < kTempNameAttempts && error == ERROR_FILE_EXISTS; ++attempt) {
    std::wstring tempName = L"." + name.substr(0, kMaxTempStem) + L".";
    for (int i = 0; i < 6; ++i) tempName += kLetters[pick(generator)];
    tempPath = folder / tempName;
    const HANDLE handle = openForWriting(tempPath, CREATE_NEW);
    if (handle != INVALID_HANDLE_VALUE) return adopt(handle);
    error = ::GetLastError();
  }
  ::SetLastError(error);
  return FileDescriptor();
}

void keepAttributes(const fs::path& target, DWORD attributes) {
  constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                          FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  const DWORD now = ::GetFileAttributesW(target.c_str());
  if (now == INVALID_FILE_ATTRIBUTES || (now & kKept) == (attributes & kKept)) return;
  const DWORD wanted = (now & ~(kKept | FILE_ATTRIBUTE_NORMAL)) | (attributes & kKept);
  ::SetFileAttributesW(target.c_str(), wanted != 0 ? wanted : FILE_ATTRIBUTE_NORMAL);
}

// ReplaceFileW keeps the target's attributes, security and creation time.
// Its own failure codes do not say why; moving the file over the target
// gives the system's reason, or succeeds where replacing was not possible.
// Where the replacement did not carry the attributes over (Wine's does
// not), they are set again, best effort.
void replaceTarget(const fs::path& temp, const fs::path& target, DWORD attributes) {
  if (::ReplaceFileW(target.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                     nullptr, nullptr)) {
    keepAttributes(target, attributes);
    return;
  }
  const DWORD error = ::GetLastError();
  if (error != ERROR_UNABLE_TO_REMOVE_REPLACED && error != ERROR_UNABLE_TO_MOVE_REPLACEMENT) {
    fail(FileOperation::Rename, target, error);
  }
  if (!::MoveFileExW(temp.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    fail(FileOperation::Rename, target, ::GetLastError());
  }
  keepAttributes(target, attributes);
}

}  // namespace

FileResult writeFileAtomically(const fs::path& target, std::span<const std::uint8_t> content,
                               const WriteOps& ops) {
  if (target.empty()) return FileResult::OpenFailed;
  const std::wstring name = target.filename().wstring();
  if (name.empty() || name == L"." || name == L"..") return FileResult::OpenFailed;
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");

  // Everything that would stop a plain open-for-writing is found here,
  // before anything is created, so it is reported as OpenFailed.
  // A read-only file refuses a plain open for writing; some file systems
  // (and Wine run by root) would let the replacement through regardless.
  const DWORD attributes = ::GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
    ::SetLastError(ERROR_ACCESS_DENIED);  // the reason the open would have given
    return FileResult::OpenFailed;
  }
  bool replacing = false;
  {
    FileDescriptor probe = adopt(openForWriting(target, OPEN_EXISTING));
    if (probe) {
      // Devices (NUL, CON, COM1) are written as they are, like a plain save.
      if (::GetFileType(handleOf(probe.get())) != FILE_TYPE_DISK) {
        return writeInPlace(std::move(probe), target, content, ops, false);
      }
      probe.close(target);
      replacing = true;
    } else {
      const DWORD error = ::GetLastError();
      // Another program holds the file open: say so rather than "abort!".
      if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) {
        fail(FileOperation::Write, target, error);
      }
      if (error != ERROR_FILE_NOT_FOUND) return FileResult::OpenFailed;
    }
  }

  // The guard outlives the descriptor: an open file cannot be deleted.
  TempFileGuard guard;
  fs::path tempPath;
  FileDescriptor temp = createTemp(folder, name, tempPath);
  if (!temp) {
    if (replacing && ::GetLastError() == ERROR_ACCESS_DENIED) {
      return rewriteInPlace(target, content, ops);
    }
    return FileResult::OpenFailed;
  }
  guard.watch(tempPath);

  writeAll(temp.get(), content, ops, target);
  flush(temp.get(), ops, target, true);
  temp.close(target);
  if (replacing) {
    replaceTarget(tempPath, target, attributes);
  } else if (!::MoveFileExW(tempPath.c_str(), target.c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    fail(FileOperation::Rename, target, ::GetLastError());
  }
  guard.release();
  return FileResult::Ok;
}

WriteOps WriteOps::system() {
  return WriteOps{
      [](int fd, const void* data, std::size_t size) -> long {
        // One call never passes more than a DWORD can count.
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(handleOf(fd), data, chunk, &written, nullptr)) return -1;
        return static_cast<long>(written);
      },
      [](int fd) { return ::FlushFileBuffers(handleOf(fd)) ? 0 : -1; },
      // The temporary file always has a name here; unnamed files are POSIX's.
      [](const char*, unsigned) {
        ::SetLastError(ERROR_NOT_SUPPORTED);
        return -1;
      },
  };
}

}  // namespace sci
