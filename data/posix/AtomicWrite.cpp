#include "data/AtomicWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

#include "data/FileDescriptor.h"
#include "data/FileError.h"

namespace sci {
namespace {

namespace fs = std::filesystem;

constexpr int kMaxLinkDepth = 40;
// Keeps ".<name>.XXXXXX" inside the usual 255-byte name limit.
constexpr std::size_t kMaxTempStem = 200;

[[noreturn]] void fail(FileOperation operation, const fs::path& path, int error) {
  throw FileError(causeFromErrno(error), operation, path, error);
}

// Follows symbolic links in the last component, so that saving through a
// link updates the file it points to instead of replacing the link. A link
// to a file that does not exist yet yields that file's path.
bool resolveLinks(fs::path& path) {
  for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(path, ec))) return true;
    const fs::path next = fs::read_symlink(path, ec);
    if (ec) return false;
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  return false;
}

mode_t creationMode() {
  // A plain create gives 0666 less the umask; the temporary file must end
  // up the same. umask can only be read by setting it, and this program
  // does its file work on one thread.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

void writeAll(int fd, std::span<const std::uint8_t> content, const WriteOps& ops,
              const fs::path& target) {
  std::size_t done = 0;
  while (done < content.size()) {
    errno = 0;
    const long n = ops.write(fd, content.data() + done, content.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      fail(FileOperation::Write, target, errno);
    }
    // Nothing stored and no reason given: the device has no room left.
    if (n == 0) throw FileError(FileErrorCause::DiskFull, FileOperation::Write, target, errno);
    if (static_cast<std::size_t>(n) > content.size() - done) {
      throw FileError(FileErrorCause::Generic, FileOperation::Write, target, 0);
    }
    done += static_cast<std::size_t>(n);
  }
}

void flush(int fd, const WriteOps& ops, const fs::path& target, bool regularFile) {
  if (ops.fsync(fd) == 0) return;
  const int error = errno;
  // Devices and pipes may not support syncing at all; that is not a failure.
  if (!regularFile && (error == EINVAL || error == ENOTSUP || error == EROFS)) return;
  fail(FileOperation::Flush, target, error);
}

// The rename is only durable once the folder entry itself is on disk.
void flushFolder(const fs::path& folder, const fs::path& target) {
  FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!dir) return;  // a folder we may write but not list; nothing to sync with
  if (::fsync(dir.get()) != 0 && errno != EINVAL && errno != ENOTSUP) {
    fail(FileOperation::Flush, target, errno);
  }
  dir.close(folder);
}

FileResult writeInPlace(FileDescriptor fd, const fs::path& target,
                        std::span<const std::uint8_t> content, const WriteOps& ops,
                        bool regularFile) {
  const int flags = ::fcntl(fd.get(), F_GETFL);
  if (flags >= 0) ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK);
  writeAll(fd.get(), content, ops, target);
  flush(fd.get(), ops, target, regularFile);
  fd.close(target);
  return FileResult::Ok;
}

// A file we may write but not replace: its folder takes no new files, a
// sticky folder holds another user's file, the file is a mount point (a
// container's bind-mounted file), or a replacement could not keep its owner.
// A plain save truncates and writes it, so do that rather than refuse a
// target that opens for writing or hand it to another owner.
FileResult rewriteInPlace(const fs::path& target, std::span<const std::uint8_t> content,
                          const WriteOps& ops) {
  FileDescriptor fd(::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOCTTY));
  if (!fd) return FileResult::OpenFailed;
  return writeInPlace(std::move(fd), target, content, ops, true);
}

bool cannotReplace(int error) { return error == EACCES || error == EPERM || error == EBUSY; }

bool ownedAlike(int fd, const struct stat& other) {
  struct stat info {};
  return ::fstat(fd, &info) == 0 && info.st_uid == other.st_uid && info.st_gid == other.st_gid;
}

// Removes the temporary file unless the rename took it over.
class TempFileGuard {
 public:
  explicit TempFileGuard(std::string path) : path_(std::move(path)) {}
  ~TempFileGuard() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  TempFileGuard(const TempFileGuard&) = delete;
  TempFileGuard& operator=(const TempFileGuard&) = delete;
  void release() { path_.clear(); }

 private:
  std::string path_;
};

}  // namespace

WriteOps WriteOps::system() {
  return WriteOps{
      [](int fd, const void* data, std::size_t size) -> long { return ::write(fd, data, size); },
      [](int fd) { return ::fsync(fd); },
  };
}

FileResult writeFileAtomically(const fs::path& requested, std::span<const std::uint8_t> content,
                               const WriteOps& ops) {
  fs::path target = requested;
  if (target.empty() || !resolveLinks(target)) return FileResult::OpenFailed;
  const std::string name = target.filename().string();
  if (name.empty() || name == "." || name == "..") return FileResult::OpenFailed;
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");

  // Everything that would stop a plain open-for-writing is found here,
  // before anything is created, so it is reported as OpenFailed.
  mode_t mode = creationMode();
  struct stat existing {};
  bool replacing = false;
  if (::stat(target.c_str(), &existing) == 0) {
    if (S_ISDIR(existing.st_mode)) return FileResult::OpenFailed;
    FileDescriptor probe(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!probe) return FileResult::OpenFailed;
    if (!S_ISREG(existing.st_mode)) {
      return writeInPlace(std::move(probe), target, content, ops, false);
    }
    probe.close(target);
    mode = existing.st_mode & 07777 & ~(S_ISUID | S_ISGID);
    replacing = true;
  } else if (errno != ENOENT) {
    return FileResult::OpenFailed;
  }

  std::string tempPath = (folder / ("." + name.substr(0, kMaxTempStem) + ".XXXXXX")).string();
  FileDescriptor temp(::mkostemp(tempPath.data(), O_CLOEXEC));
  if (!temp) {
    if (replacing && cannotReplace(errno)) return rewriteInPlace(target, content, ops);
    return FileResult::OpenFailed;
  }
  TempFileGuard guard(tempPath);

  // A replacement that cannot get the old file's owner and group would take
  // the file away from them; a plain save leaves the file where it was.
  if (replacing && !ownedAlike(temp.get(), existing) &&
      ::fchown(temp.get(), existing.st_uid, existing.st_gid) != 0) {
    return rewriteInPlace(target, content, ops);
  }
  // Best effort: a file system without modes keeps mkstemp's 0600, which
  // errs on the private side.
  ::fchmod(temp.get(), mode);

  writeAll(temp.get(), content, ops, target);
  flush(temp.get(), ops, target, true);
  temp.close(target);
  if (::rename(tempPath.c_str(), target.c_str()) != 0) {
    const int error = errno;
    // The guard removes the finished temporary file once this returns.
    if (replacing && cannotReplace(error)) return rewriteInPlace(target, content, ops);
    fail(FileOperation::Rename, target, error);
  }
  guard.release();
  flushFolder(folder, target);
  return FileResult::Ok;
}

}  // namespace sci
