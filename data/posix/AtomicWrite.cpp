#include "data/AtomicWrite.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "data/AsciiText.h"
#include "data/FileError.h"
#include "data/SystemFile.h"

namespace sci {
namespace {

namespace fs = std::filesystem;

constexpr int kMaxLinkDepth = 40;
// Keeps ".<name>.XXXXXX" inside the usual 255-byte name limit.
constexpr std::size_t kMaxTempStem = 200;
constexpr int kTempNameAttempts = 100;
// A temporary file this much older than now, and not locked, belongs to
// no save that is still running (nor to another tool's copy in progress).
constexpr std::time_t kStaleAfterSeconds = 60;
constexpr std::size_t kTempSuffixLength = 6;

constexpr const char* kKeptOldContent = "The file keeps its old content.";

[[noreturn]] void fail(FileOperation operation, const fs::path& path, int error,
                       std::string state = {}) {
  throw FileError(causeFromErrno(error), operation, path, error, std::move(state));
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

// A file size limit (ulimit -f) would stop the write part-way; a limit
// below the content's size is known before anything is touched.
void checkSizeLimit(std::size_t size, const fs::path& target) {
  struct rlimit limit {};
  if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
      limit.rlim_cur < size) {
    throw FileError(FileErrorCause::DiskFull, FileOperation::Write, target, EFBIG);
  }
}

// Writes content from the descriptor's current offset; `done` tells how
// much arrived when it throws.
void writeAll(NativeFile fd, std::span<const std::uint8_t> content, const WriteOps& ops,
              const fs::path& target, std::size_t& done) {
  done = 0;
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

void flush(NativeFile fd, const WriteOps& ops, const fs::path& target, bool regularFile) {
  if (ops.fsync(fd) == 0) return;
  const int error = errno;
  // Devices and pipes may not support syncing at all; that is not a failure.
  if (!regularFile && (error == EINVAL || error == ENOTSUP || error == EROFS)) return;
  fail(FileOperation::Flush, target, error);
}

// The rename is only durable once the folder entry itself is on disk.
void flushFolder(const fs::path& folder, const fs::path& target) {
  SystemFile dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!dir) return;  // a folder we may write but not list; nothing to sync with
  if (::fsync(dir.get()) != 0 && errno != EINVAL && errno != ENOTSUP) {
    fail(FileOperation::Flush, target, errno);
  }
  dir.close(folder);
}

// Devices and pipes take the content as a stream.
FileResult writeStream(SystemFile fd, const fs::path& target, std::span<const std::uint8_t> content,
                       const WriteOps& ops) {
  const int flags = ::fcntl(fd.get(), F_GETFL);
  if (flags >= 0) ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK);
  std::size_t done = 0;
  writeAll(fd.get(), content, ops, target, done);
  flush(fd.get(), ops, target, false);
  fd.close(target);
  return FileResult::Ok;
}

bool readFromStart(NativeFile fd, std::span<std::uint8_t> out) {
  std::size_t done = 0;
  while (done < out.size()) {
    const ssize_t n = ::pread(fd, out.data() + done, out.size() - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Puts back the bytes a failed in-place write overwrote; true when the
// file again holds exactly its old content, on disk.
bool restoreOldContent(NativeFile fd, std::span<const std::uint8_t> old, off_t oldSize,
                       const WriteOps& ops) {
  if (::lseek(fd, 0, SEEK_SET) != 0) return false;
  std::size_t done = 0;
  while (done < old.size()) {
    const long n = ops.write(fd, old.data() + done, old.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0) return false;
  if (info.st_size != oldSize && ::ftruncate(fd, oldSize) != 0) return false;
  return ops.fsync(fd) == 0;
}

// A file we may write but not replace: its folder takes no new files, a
// sticky folder holds another user's file, the file is a mount point (a
// container's bind-mounted file), or a replacement could not keep its owner.
// Its old content must survive any failure we can foresee: the new content
// goes over the old in one write at offset 0, never after a truncation, and
// the file is only cut to length once the new content is on disk. A failure
// part-way puts the old bytes back; the error says what the file holds.
FileResult rewriteInPlace(const fs::path& target, std::span<const std::uint8_t> content,
                          const WriteOps& ops) {
  // Reading the old content lets a failed write be undone; a file we may
  // write but not read is written without that net.
  SystemFile fd(::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY));
  const bool readable = static_cast<bool>(fd);
  if (!fd) fd = SystemFile(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
  if (!fd) return FileResult::OpenFailed;

  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) fail(FileOperation::Size, target, errno);
  const off_t oldSize = info.st_size;
  const auto contentSize = static_cast<off_t>(content.size());
  std::vector<std::uint8_t> old(static_cast<std::size_t>(std::min(oldSize, contentSize)));
  const bool haveOld = readable && readFromStart(fd.get(), old);

  // A file shorter than the content grows: claim the room first, so that a
  // full disk stops the save before the first byte changes. Overwriting a
  // file's existing blocks needs none.
  if (oldSize < contentSize && ::fallocate(fd.get(), FALLOC_FL_KEEP_SIZE, 0, contentSize) != 0 &&
      (errno == ENOSPC || errno == EDQUOT || errno == EFBIG)) {
    fail(FileOperation::Write, target, errno, kKeptOldContent);
  }

  std::size_t done = 0;
  try {
    writeAll(fd.get(), content, ops, target, done);
    flush(fd.get(), ops, target, true);
  } catch (const FileError& error) {
    std::string state = kKeptOldContent;
    if ((done > 0 || error.operation() == FileOperation::Flush) &&
        !(haveOld && restoreOldContent(fd.get(), old, oldSize, ops))) {
      state = error.operation() == FileOperation::Flush
                  ? "The file may be damaged: neither the new content nor the old could be "
                    "flushed to disk."
                  : "The file is damaged: only its first " + std::to_string(done) + " of " +
                        std::to_string(content.size()) + " bytes were rewritten.";
    }
    throw FileError(error.cause(), error.operation(), error.path(), error.osError(), state);
  }

  if (oldSize > contentSize) {
    if (::ftruncate(fd.get(), contentSize) != 0) {
      fail(FileOperation::Write, target, errno,
           "The new content is written, followed by the last " +
               std::to_string(oldSize - contentSize) + " bytes of the old file.");
    }
    flush(fd.get(), ops, target, true);
  }
  fd.close(target);
  return FileResult::Ok;
}

bool cannotReplace(int error) { return error == EACCES || error == EPERM || error == EBUSY; }

bool ownedAlike(NativeFile fd, const struct stat& other) {
  struct stat info {};
  return ::fstat(fd, &info) == 0 && info.st_uid == other.st_uid && info.st_gid == other.st_gid;
}

// ".<name>.XXXXXX" beside the target; `random` fills in the X's.
std::string tempName(const fs::path& folder, const std::string& name, bool random) {
  static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static std::mt19937 generator{std::random_device{}()};
  std::string suffix(6, 'X');
  if (random) {
    for (char& c : suffix) c = kChars[generator() % (sizeof kChars - 1)];
  }
  return (folder / ("." + name.substr(0, kMaxTempStem) + "." + suffix)).string();
}

// A save killed between naming its temporary file and renaming it leaves
// a copy of the content, passwords included; the next save removes such
// copies of its target. A save still running holds a lock on its file.
void removeStaleCopies(const fs::path& folder, const std::string& name) {
  const std::string prefix = "." + name.substr(0, kMaxTempStem) + ".";
  const std::time_t now = std::time(nullptr);
  std::error_code ec;
  for (auto it = fs::directory_iterator(folder, ec); !ec && it != fs::directory_iterator();
       it.increment(ec)) {
    const std::string entry = it->path().filename().string();
    if (entry.size() != prefix.size() + kTempSuffixLength || !entry.starts_with(prefix) ||
        !std::all_of(entry.begin() + static_cast<long>(prefix.size()), entry.end(),
                     isAsciiLetterOrDigit)) {
      continue;
    }
    SystemFile copy(
        ::open(it->path().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat info {};
    if (!copy || ::fstat(copy.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_uid != ::geteuid() || info.st_nlink != 1 ||
        now - info.st_mtime < kStaleAfterSeconds || ::flock(copy.get(), LOCK_EX | LOCK_NB) != 0) {
      continue;
    }
    ::unlink(it->path().c_str());
  }
}

// The file the new content goes into before it takes the target's place.
// On Linux it has no name until it is complete (O_TMPFILE), so a save that
// is killed leaves nothing behind; where the file system refuses that, it is
// a hidden ".NAME.XXXXXX" file beside the target, removed on failure.
class TempFile {
 public:
  TempFile(const fs::path& folder, const std::string& name) : folder_(folder), name_(name) {}
  ~TempFile() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  // False, with errno set, when the folder takes no new file.
  bool create(const WriteOps& ops) {
    // Naming it at the end goes through /proc; without /proc it could
    // never be named.
    if (::access("/proc/self/fd", X_OK) == 0) {
      fd_ = SystemFile(ops.openUnnamed(folder_.c_str(), 0600));
      if (fd_) {
        lock();
        return true;
      }
    }
    std::string path = tempName(folder_, name_, false);
    fd_ = SystemFile(::mkostemp(path.data(), O_CLOEXEC));
    if (!fd_) return false;
    path_ = std::move(path);
    lock();
    return true;
  }

  NativeFile fd() const { return fd_.get(); }

  // Before the target is written in place instead: no copy of the content
  // stays behind should that be interrupted.
  void discard() {
    if (!path_.empty()) ::unlink(path_.c_str());
    path_.clear();
    fd_ = SystemFile();
  }

  // Gives the finished file the target's name: 0, or the errno of the step
  // that failed. A new target is linked in directly; an existing one is
  // replaced by a rename, the one step that can do that in place.
  int publish(const fs::path& target, bool replacing) {
    if (path_.empty()) {
      const std::string self = "/proc/self/fd/" + std::to_string(fd_.get());
      if (!replacing) {
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) == 0) {
          // Removed again should closing report a failure: nothing was
          // there before.
          path_ = target.string();
          fd_.close(target);
          path_.clear();
          return 0;
        }
        if (errno != EEXIST) return errno;
      }
      if (const int error = linkToTempName(self); error != 0) return error;
      // Renamed at once: between the two calls a kill would leave the name.
      if (::rename(path_.c_str(), target.c_str()) != 0) return errno;
      path_.clear();
      fd_.close(target);
      return 0;
    }
    fd_.close(target);
    if (::rename(path_.c_str(), target.c_str()) != 0) return errno;
    path_.clear();
    return 0;
  }

 private:
  // Tells later saves that this file is not a killed save's leftover.
  void lock() { ::flock(fd_.get(), LOCK_EX | LOCK_NB); }

  int linkToTempName(const std::string& self) {
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
      std::string path = tempName(folder_, name_, true);
      if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        path_ = std::move(path);
        return 0;
      }
      if (errno != EEXIST) return errno;
    }
    return EEXIST;
  }

  fs::path folder_;
  std::string name_;
  SystemFile fd_;
  std::string path_;  // the name to remove unless it became the target's
};

}  // namespace

WriteOps WriteOps::system() {
  return WriteOps{
      [](NativeFile fd, const void* data, std::size_t size) -> long {
        return ::write(fd, data, size);
      },
      [](NativeFile fd) { return ::fsync(fd); },
      [](const char* folder, unsigned mode) -> NativeFile {
        return ::open(folder, O_TMPFILE | O_WRONLY | O_CLOEXEC, static_cast<mode_t>(mode));
      },
      // Files are renamed by their names here, not through a handle.
      nullptr,
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
    SystemFile probe(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!probe) return FileResult::OpenFailed;
    if (!S_ISREG(existing.st_mode)) return writeStream(std::move(probe), target, content, ops);
    probe.close(target);
    mode = existing.st_mode & 07777 & ~(S_ISUID | S_ISGID);
    replacing = true;
  } else if (errno != ENOENT) {
    return FileResult::OpenFailed;
  }
  checkSizeLimit(content.size(), target);

  TempFile temp(folder, name);
  if (!temp.create(ops)) {
    if (replacing && cannotReplace(errno)) return rewriteInPlace(target, content, ops);
    return FileResult::OpenFailed;
  }

  // A replacement that cannot get the old file's owner and group would take
  // the file away from them; a plain save leaves the file where it was.
  if (replacing && !ownedAlike(temp.fd(), existing) &&
      ::fchown(temp.fd(), existing.st_uid, existing.st_gid) != 0) {
    temp.discard();
    return rewriteInPlace(target, content, ops);
  }
  // Best effort: a file system without modes keeps the private 0600.
  ::fchmod(temp.fd(), mode);

  std::size_t done = 0;
  writeAll(temp.fd(), content, ops, target, done);
  flush(temp.fd(), ops, target, true);
  if (const int error = temp.publish(target, replacing); error != 0) {
    if (replacing && cannotReplace(error)) {
      temp.discard();
      return rewriteInPlace(target, content, ops);
    }
    fail(FileOperation::Rename, target, error);
  }
  flushFolder(folder, target);
  removeStaleCopies(folder, name);
  return FileResult::Ok;
}

}  // namespace sci
