#include "cli/SmallFileReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "cli/EditorWords.h"

namespace sci {
namespace {

// Closes on every path out of readFileOfSize.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

SmallFile readFileOfSize(const std::string& path, std::initializer_list<std::size_t> sizes) {
  SmallFile result;
  // Non-blocking, so that naming a pipe without a writer cannot hang the
  // tool; a pipe has no size to check and is refused below.
  const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0) {
    result.osError = errno;
    return result;
  }
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) {
    result.status = SmallFile::Status::ReadFailed;
    result.osError = errno;
    return result;
  }
  // A directory opens fine on POSIX but is no file to check.
  if (S_ISDIR(info.st_mode)) {
    result.osError = EISDIR;
    return result;
  }
  // Pipes, sockets and devices have no length of their own to check.
  const auto size = static_cast<std::size_t>(info.st_size);
  if (!S_ISREG(info.st_mode) || std::ranges::find(sizes, size) == sizes.end()) {
    result.status = SmallFile::Status::OtherSize;
    return result;
  }
  result.bytes.resize(size);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::read(fd.get(), result.bytes.data() + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      result.status = SmallFile::Status::ReadFailed;
      result.osError = errno;
      result.bytes.clear();
      return result;
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  // A file that shrank while being read no longer has a usable length.
  if (done != size) {
    result.status = SmallFile::Status::OtherSize;
    result.bytes.clear();
    return result;
  }
  result.status = SmallFile::Status::Read;
  return result;
}

std::string smallFileFailureText(const SmallFile& file) {
  switch (file.status) {
    case SmallFile::Status::Read:
      return {};
    case SmallFile::Status::OtherSize:
      return kLengthErrorText;
    case SmallFile::Status::OpenFailed:
      return cannotOpenText(file.osError);
    case SmallFile::Status::ReadFailed:
      return cannotReadText(file.osError);
  }
  return {};
}

}  // namespace sci
