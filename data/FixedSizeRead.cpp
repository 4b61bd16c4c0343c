#include "data/FixedSizeRead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>

#include "data/FileDescriptor.h"
#include "data/FileError.h"

namespace sci {
namespace {

[[noreturn]] void fail(FileOperation operation, const std::filesystem::path& path, int error) {
  throw FileError(causeFromErrno(error), operation, path, error);
}

// Where a file of the given size is to be read to; nothing when no file of
// that size is wanted.
using Destination = std::function<std::optional<std::span<std::uint8_t>>(std::size_t size)>;

FileResult readWhole(const std::filesystem::path& path, const Destination& destination,
                     int& openError, const ReadCall& readCall) {
  // Non-blocking so that a FIFO without a writer cannot hang the program;
  // it has no regular size and ends as a LengthError.
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!fd) {
    openError = errno;
    return FileResult::OpenFailed;
  }

  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) fail(FileOperation::Size, path, errno);
  // Other systems refuse to open a folder as a file; behave the same way.
  if (S_ISDIR(info.st_mode)) {
    openError = EISDIR;
    return FileResult::OpenFailed;
  }
  const auto out =
      S_ISREG(info.st_mode) ? destination(static_cast<std::size_t>(info.st_size)) : std::nullopt;
  if (!out || static_cast<std::uintmax_t>(info.st_size) != out->size()) {
    fd.close(path);
    return FileResult::LengthError;
  }

  std::size_t done = 0;
  while (done < out->size()) {
    const ssize_t n = readCall(fd.get(), out->data() + done, out->size() - done);
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

}  // namespace

ReadCall systemRead() { return &::read; }

FileResult readFixedSizeFile(const std::filesystem::path& path, std::span<std::uint8_t> out,
                             const ReadCall& readCall) {
  int openError = 0;
  return readWhole(
      path, [&](std::size_t) { return std::optional(out); }, openError, readCall);
}

FileOfSize readFileOfSize(const std::filesystem::path& path,
                          std::initializer_list<std::size_t> sizes, const ReadCall& readCall) {
  FileOfSize file;
  const auto destination = [&](std::size_t size) -> std::optional<std::span<std::uint8_t>> {
    if (std::ranges::find(sizes, size) == sizes.end()) return std::nullopt;
    file.bytes.resize(size);
    return std::span(file.bytes);
  };
  file.result = readWhole(path, destination, file.openError, readCall);
  if (file.result != FileResult::Ok) file.bytes.clear();
  return file;
}

}  // namespace sci
