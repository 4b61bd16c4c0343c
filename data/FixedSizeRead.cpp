#include "data/FixedSizeRead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "data/FileDescriptor.h"
#include "data/FileError.h"

namespace sci {
namespace {

[[noreturn]] void fail(FileOperation operation, const std::filesystem::path& path, int error) {
  throw FileError(causeFromErrno(error), operation, path, error);
}

}  // namespace

FileResult readFixedSizeFile(const std::filesystem::path& path, std::span<std::uint8_t> out) {
  return readFixedSizeFile(path, out, &::read);
}

FileResult readFixedSizeFile(const std::filesystem::path& path, std::span<std::uint8_t> out,
                             ReadCall readCall) {
  // Non-blocking so that a FIFO without a writer cannot hang the program;
  // it has no regular size and ends as a LengthError.
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!fd) return FileResult::OpenFailed;

  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) fail(FileOperation::Size, path, errno);
  // Other systems refuse to open a folder as a file; behave the same way.
  if (S_ISDIR(info.st_mode)) return FileResult::OpenFailed;
  if (!S_ISREG(info.st_mode) || static_cast<std::uintmax_t>(info.st_size) != out.size()) {
    fd.close(path);
    return FileResult::LengthError;
  }

  std::size_t done = 0;
  while (done < out.size()) {
    const ssize_t n = readCall(fd.get(), out.data() + done, out.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      fail(FileOperation::Read, path, errno);
    }
    // The file shrank after its size was taken: never treat the rest as data.
    if (n == 0) throw FileError(FileErrorCause::EndOfFile, FileOperation::Read, path, 0);
    done += static_cast<std::size_t>(n);
  }
  fd.close(path);
  return FileResult::Ok;
}

}  // namespace sci
