#include "data/FixedSizeRead.h"

#include <algorithm>
#include <optional>

#include "data/FileError.h"
#include "data/OpenForReading.h"
#include "data/SystemError.h"

namespace sci {
namespace {

[[noreturn]] void fail(FileOperation operation, const std::filesystem::path& path, int error) {
  throw FileError(causeFromSystemError(error), operation, path, error);
}

// Where a file of the given size is to be read to; nothing when no file of
// that size is wanted.
using Destination = std::function<std::optional<std::span<std::uint8_t>>(std::size_t size)>;

FileResult readWhole(const std::filesystem::path& path, const Destination& destination,
                     int& openError, std::optional<std::uintmax_t>& size,
                     const ReadCall& readCall) {
  // A pipe or device has no regular size and ends as a LengthError.
  OpenedForReading opened = openForReading(path);
  if (!opened.file) {
    openError = opened.error;
    return FileResult::OpenFailed;
  }
  SystemFile& file = opened.file;
  if (opened.kind == FileKind::Regular) size = opened.size;
  const auto out = opened.kind == FileKind::Regular
                       ? destination(static_cast<std::size_t>(opened.size))
                       : std::nullopt;
  if (!out || opened.size != out->size()) {
    file.close(path);
    return FileResult::LengthError;
  }

  std::size_t done = 0;
  while (done < out->size()) {
    const ssize_t n = readCall(file.get(), out->data() + done, out->size() - done);
    if (n < 0) {
      const int error = lastSystemError();
      if (interruptedCall(error)) continue;
      fail(FileOperation::Read, path, error);
    }
    // The file shrank after its size was taken: never treat the rest as data.
    if (n == 0) throw FileError(FileErrorCause::EndOfFile, FileOperation::Read, path, 0);
    done += static_cast<std::size_t>(n);
  }
  file.close(path);
  return FileResult::Ok;
}

}  // namespace

FileResult readFixedSizeFile(const std::filesystem::path& path, std::span<std::uint8_t> out,
                             const ReadCall& readCall) {
  int openError = 0;
  std::optional<std::uintmax_t> size;
  return readWhole(
      path, [&](std::size_t) { return std::optional(out); }, openError, size, readCall);
}

FileOfSize readFileOfSize(const std::filesystem::path& path,
                          std::initializer_list<std::size_t> sizes, const ReadCall& readCall) {
  FileOfSize file;
  const auto destination = [&](std::size_t size) -> std::optional<std::span<std::uint8_t>> {
    if (std::ranges::find(sizes, size) == sizes.end()) return std::nullopt;
    file.bytes.resize(size);
    return std::span(file.bytes);
  };
  file.result = readWhole(path, destination, file.openError, file.size, readCall);
  if (file.result != FileResult::Ok) file.bytes.clear();
  return file;
}

}  // namespace sci
