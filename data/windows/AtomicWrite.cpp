#include "data/AtomicWrite.h"

#include <windows.h>
// after windows.h
#include <aclapi.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "data/AsciiText.h"
#include "data/FileError.h"
#include "data/SystemError.h"
#include "data/SystemFile.h"
#include "data/windows/HeldFile.h"
#include "data/windows/SystemPath.h"

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

// No sharing, as a plain save opens its file: while the save runs nobody
// else reads a half-written file.
// A file another program holds for a moment is waited for (HeldFile.h).
HANDLE openForWriting(const fs::path& path, DWORD disposition) {
  HANDLE handle = INVALID_HANDLE_VALUE;
  retryWhileHeld([&] {
    handle = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    return handle != INVALID_HANDLE_VALUE;
  });
  return handle;
}

// True when another program has `path` open without letting it be
// deleted or replaced: a rename over it is then refused as access denied
// on Windows, though the cause is the other program's hold.
bool heldByAnotherProgram(const fs::path& path) {
  const HANDLE handle =
      ::CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle != INVALID_HANDLE_VALUE) {
    ::CloseHandle(handle);
    return false;
  }
  return ::GetLastError() == ERROR_SHARING_VIOLATION;
}

void writeAll(HANDLE file, std::span<const std::uint8_t> content, const WriteOps& ops,
              const fs::path& target) {
  std::size_t done = 0;
  while (done < content.size()) {
    setLastSystemError(0);
    const long n = ops.write(file, content.data() + done, content.size() - done);
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

void flush(HANDLE file, const WriteOps& ops, const fs::path& target, bool diskFile) {
  if (ops.fsync(file) == 0) return;
  // Devices such as NUL have nothing to flush and may say so.
  if (!diskFile) return;
  fail(FileOperation::Flush, target, ::GetLastError());
}

FileResult writeInPlace(SystemFile file, const fs::path& target,
                        std::span<const std::uint8_t> content, const WriteOps& ops, bool diskFile) {
  writeAll(file.get(), content, ops, target);
  flush(file.get(), ops, target, diskFile);
  file.close(target);
  return FileResult::Ok;
}

// A file we may write but whose folder takes no new files: written over
// from the start and cut to the new length only once all of it is there,
// so a failure part-way leaves no shorter file than before.
FileResult rewriteInPlace(const fs::path& full, const fs::path& target,
                          std::span<const std::uint8_t> content, const WriteOps& ops) {
  SystemFile file(openForWriting(full, OPEN_EXISTING));
  if (!file) return FileResult::OpenFailed;
  writeAll(file.get(), content, ops, target);
  if (!::SetEndOfFile(file.get())) fail(FileOperation::Write, target, ::GetLastError());
  flush(file.get(), ops, target, true);
  file.close(target);
  return FileResult::Ok;
}

constexpr std::size_t kTempSuffixLength = 6;
// What the user set on the old file. The archive mark is not among them:
// the content changed, so the new file is marked for backup, as any write
// marks a file.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

bool markForDeletion(HANDLE handle, bool remove) {
  FILE_DISPOSITION_INFO disposition{};
  disposition.DeleteFile = remove ? TRUE : FALSE;
  return ::SetFileInformationByHandle(handle, FileDispositionInfo, &disposition,
                                      sizeof disposition) != 0;
}

std::wstring tempPrefix(const std::wstring& name) {
  return L"." + name.substr(0, kMaxTempStem) + L".";
}

// Copies a save left when it died in the instant between making its file
// permanent and renaming it, or when the whole system went down. A save
// still running holds its file open without sharing from the moment it is
// created until it carries the target's name, so every copy that can be
// deleted is a leftover.
void removeStaleCopies(const fs::path& folder, const std::wstring& name) {
  const std::wstring prefix = tempPrefix(name);
  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileExW((folder / (prefix + L"*")).c_str(), FindExInfoBasic,
                                           &found, FindExSearchNameMatch, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring entry = found.cFileName;
    const bool ours =
        entry.size() == prefix.size() + kTempSuffixLength &&
        ::CompareStringOrdinal(entry.c_str(), static_cast<int>(prefix.size()), prefix.c_str(),
                               static_cast<int>(prefix.size()), TRUE) == CSTR_EQUAL &&
        std::all_of(entry.begin() + static_cast<long>(prefix.size()), entry.end(), [](wchar_t c) {
          return c < 0x80 && isAsciiLetterOrDigit(static_cast<char>(c));
        });
    if (ours && (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY |
                                           FILE_ATTRIBUTE_REPARSE_POINT)) == 0) {
      ::DeleteFileW((folder / entry).c_str());
    }
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
}

// The file the new content goes into, ".NAME.XXXXXX" beside the target.
// Until it is renamed the system deletes it when its handle closes, so a
// save that fails, or a process that is killed, leaves nothing behind: the
// deletion is withdrawn only just before the rename, which goes through
// the same handle (a file marked for deletion would otherwise be deleted
// under its new name).
class TempFile {
 public:
  TempFile(fs::path folder, std::wstring name)
      : folder_(std::move(folder)), name_(std::move(name)) {}
  ~TempFile() { discard(); }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  // False, with the system's error set, when the folder takes no new file.
  bool create() {
    static constexpr wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
    static std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kLetters) - 2);
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < kTempNameAttempts && error == ERROR_FILE_EXISTS; ++attempt) {
      std::wstring tempName = tempPrefix(name_);
      for (std::size_t i = 0; i < kTempSuffixLength; ++i) tempName += kLetters[pick(generator)];
      const fs::path path = folder_ / tempName;
      // DELETE lets the finished file be renamed through this handle,
      // WRITE_DAC give it the old file's permissions.
      const HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_WRITE | DELETE | WRITE_DAC, 0,
                                          nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (handle != INVALID_HANDLE_VALUE) {
        path_ = path;
        file_ = SystemFile(handle);
        // Where the file system cannot do this, a kill leaves a copy that
        // the next save removes.
        markForDeletion(handle, true);
        return true;
      }
      error = ::GetLastError();
    }
    ::SetLastError(error);
    return false;
  }

  HANDLE file() const { return file_.get(); }

  // The replaced file's own access list, one cut off from the folder's,
  // so that a list its owner closed to others stays closed. A list that
  // inherits from its folder is left to inherit the same (Wine reports
  // every file so, from its Unix permissions, and would turn a copied list
  // into wider permissions). False when it cannot be read or given to the
  // new file.
  bool takeAccessOf(const fs::path& old) {
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    const bool read = retryWhileHeld([&] {
      const DWORD error =
          ::GetNamedSecurityInfoW(old.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                  nullptr, &dacl, nullptr, &descriptor);
      ::SetLastError(error);
      return error == ERROR_SUCCESS;
    });
    if (!read) return false;
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    ::GetSecurityDescriptorControl(descriptor, &control, &revision);
    DWORD error = ERROR_SUCCESS;
    if ((control & SE_DACL_PROTECTED) != 0) {
      error = ::SetSecurityInfo(file_.get(), SE_FILE_OBJECT,
                                DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                                nullptr, nullptr, dacl, nullptr);
    }
    ::LocalFree(descriptor);
    return error == ERROR_SUCCESS;
  }

  // Before the target is written in place instead.
  void discard() {
    if (path_.empty()) return;
    const bool marked = file_ && markForDeletion(file_.get(), true);
    file_ = SystemFile();
    if (!marked) ::DeleteFileW(path_.c_str());
    path_.clear();
  }

  // What the replaced file showed: its attributes and its creation time.
  void takeLooksOf(const WIN32_FILE_ATTRIBUTE_DATA& old) {
    FILE_BASIC_INFO info{};
    if (!::GetFileInformationByHandleEx(file_.get(), FileBasicInfo, &info, sizeof info)) {
      return;
    }
    info.CreationTime.LowPart = old.ftCreationTime.dwLowDateTime;
    info.CreationTime.HighPart = static_cast<LONG>(old.ftCreationTime.dwHighDateTime);
    info.LastAccessTime.QuadPart = 0;  // zero: left as they are
    info.LastWriteTime.QuadPart = 0;
    info.ChangeTime.QuadPart = 0;
    const DWORD attributes = (info.FileAttributes & ~(kKeptAttributes | FILE_ATTRIBUTE_NORMAL)) |
                             (old.dwFileAttributes & kKeptAttributes);
    info.FileAttributes = attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL;
    ::SetFileInformationByHandle(file_.get(), FileBasicInfo, &info, sizeof info);
  }

  // Gives the finished file the name `full`, replacing whatever has it in
  // one step; throws FileError naming `target` when that fails.
  void publish(const fs::path& full, const fs::path& target, const WriteOps& ops) {
    const HANDLE handle = file_.get();
    // The mark is withdrawn only for each attempt, so a process killed
    // while it waits for another program to let go still leaves nothing.
    const bool renamed = retryWhileHeld([&] {
      if (!markForDeletion(handle, false)) {
        const DWORD error = ::GetLastError();
        // Never marked (the file system has no such mark): nothing to undo.
        if (error != ERROR_INVALID_PARAMETER && error != ERROR_NOT_SUPPORTED &&
            error != ERROR_INVALID_FUNCTION) {
          return false;
        }
      }
      if (ops.rename(handle, full) == 0) return true;
      DWORD error = ::GetLastError();
      if (error == ERROR_ACCESS_DENIED && heldByAnotherProgram(full)) {
        error = ERROR_SHARING_VIOLATION;
      }
      markForDeletion(handle, true);
      ::SetLastError(error);
      return false;
    });
    if (!renamed) fail(FileOperation::Rename, target, ::GetLastError());
    path_.clear();
    // The rename is journaled with the file; asking for it to be written
    // through is what MOVEFILE_WRITE_THROUGH would do, and its failure
    // cannot undo a rename that has happened.
    ::FlushFileBuffers(handle);
    file_.close(target);
  }

 private:
  fs::path folder_;
  std::wstring name_;
  SystemFile file_;
  fs::path path_;  // the name to remove unless it became the target's
};

// FILE_RENAME_INFO as Windows 10 lays it out: its first member is either
// a BOOLEAN (FileRenameInfo) or flags (FileRenameInfoEx).
struct RenameInfo {
  union {
    BOOLEAN replaceIfExists;
    DWORD flags;
  };
  HANDLE rootDirectory;
  DWORD fileNameLength;
  WCHAR fileName[1];
};
static_assert(offsetof(RenameInfo, rootDirectory) == offsetof(FILE_RENAME_INFO, RootDirectory));
static_assert(offsetof(RenameInfo, fileName) == offsetof(FILE_RENAME_INFO, FileName));

// The class values of Windows 10's headers, which older SDK settings leave
// out of the enumeration.
constexpr auto kFileRenameInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(22);
constexpr DWORD kRenameReplaceIfExists = 0x1;
constexpr DWORD kRenamePosixSemantics = 0x2;

// One rename over the target through the open handle. POSIX semantics
// (Windows 10 1709 and later) replace the old file even while another
// program reads it with delete sharing; where the call is unknown (older
// Windows, Wine 8) the plain rename with replace is the same single step.
int renameByHandle(HANDLE handle, const fs::path& to) {
  const std::wstring& name = to.native();
  std::vector<std::byte> buffer(offsetof(RenameInfo, fileName) +
                                (name.size() + 1) * sizeof(wchar_t));
  auto* info = reinterpret_cast<RenameInfo*>(buffer.data());
  info->rootDirectory = nullptr;
  info->fileNameLength = static_cast<DWORD>(name.size() * sizeof(wchar_t));
  std::memcpy(info->fileName, name.c_str(), (name.size() + 1) * sizeof(wchar_t));
  const auto size = static_cast<DWORD>(buffer.size());

  info->flags = kRenameReplaceIfExists | kRenamePosixSemantics;
  if (::SetFileInformationByHandle(handle, kFileRenameInfoEx, info, size)) return 0;
  const DWORD error = ::GetLastError();
  if (error != ERROR_INVALID_PARAMETER && error != ERROR_NOT_SUPPORTED &&
      error != ERROR_INVALID_FUNCTION && error != ERROR_CALL_NOT_IMPLEMENTED) {
    return -1;
  }
  info->flags = 0;
  info->replaceIfExists = TRUE;
  return ::SetFileInformationByHandle(handle, FileRenameInfo, info, size) ? 0 : -1;
}

}  // namespace

FileResult writeFileAtomically(const fs::path& target, std::span<const std::uint8_t> content,
                               const WriteOps& ops) {
  if (target.empty()) return FileResult::OpenFailed;
  const std::wstring spelledName = target.filename().wstring();
  if (spelledName.empty() || spelledName == L"." || spelledName == L"..") {
    return FileResult::OpenFailed;
  }
  const fs::path resolved = fullPath(target);
  if (resolved.empty() || !resolved.has_filename()) return FileResult::OpenFailed;
  const fs::path full = systemPath(resolved);
  const fs::path folder = full.parent_path();
  const std::wstring name = full.filename().wstring();

  // Everything that would stop a plain open-for-writing is found here,
  // before anything is created, so it is reported as OpenFailed.
  // A read-only file refuses a plain open for writing; the rename would
  // replace it regardless.
  WIN32_FILE_ATTRIBUTE_DATA old{};
  const bool exists = ::GetFileAttributesExW(full.c_str(), GetFileExInfoStandard, &old) != 0;
  if (exists &&
      (old.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
    ::SetLastError(ERROR_ACCESS_DENIED);  // the reason the open would have given
    return FileResult::OpenFailed;
  }
  bool replacing = false;
  {
    SystemFile probe(openForWriting(full, OPEN_EXISTING));
    if (probe) {
      // Devices (NUL, CON, COM1) are written as they are, like a plain save.
      if (::GetFileType(probe.get()) != FILE_TYPE_DISK) {
        return writeInPlace(std::move(probe), target, content, ops, false);
      }
      probe.close(target);
      replacing = true;
    } else {
      const DWORD error = ::GetLastError();
      // Another program holds the file open, longer than a save waits for
      // it: say so rather than "abort!".
      if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) {
        fail(FileOperation::Write, target, error);
      }
      if (error != ERROR_FILE_NOT_FOUND) return FileResult::OpenFailed;
    }
  }

  removeStaleCopies(folder, name);
  TempFile temp(folder, name);
  if (!temp.create()) {
    if (replacing && ::GetLastError() == ERROR_ACCESS_DENIED) {
      return rewriteInPlace(full, target, content, ops);
    }
    return FileResult::OpenFailed;
  }
  // A replacement that would open the list to more people than before is
  // no replacement: the old file is written in place instead.
  if (replacing && !temp.takeAccessOf(full)) {
    temp.discard();
    return rewriteInPlace(full, target, content, ops);
  }
  writeAll(temp.file(), content, ops, target);
  flush(temp.file(), ops, target, true);
  if (replacing) temp.takeLooksOf(old);
  temp.publish(full, target, ops);
  return FileResult::Ok;
}

WriteOps WriteOps::system() {
  return WriteOps{
      [](HANDLE file, const void* data, std::size_t size) -> long {
        // One call never passes more than a DWORD can count.
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file, data, chunk, &written, nullptr)) return -1;
        return static_cast<long>(written);
      },
      [](HANDLE file) { return ::FlushFileBuffers(file) ? 0 : -1; },
      // The temporary file always has a name here; unnamed files are POSIX's.
      [](const char*, unsigned) {
        ::SetLastError(ERROR_NOT_SUPPORTED);
        return kNoNativeFile;
      },
      &renameByHandle,
  };
}

}  // namespace sci
