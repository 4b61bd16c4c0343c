#pragma once
// Reads a file whose length must be one the caller can use, in one piece:
// one open, one size query and one read, so a file of the wrong length is
// never read at all and checking thousands of files stays cheap.

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
#include <vector>

#include "data/FileResult.h"
#include "data/SystemFile.h"

namespace sci {

// The read call the readers go through, replaceable in tests.
using ReadCall = std::function<ssize_t(NativeFile file, void* buffer, std::size_t size)>;
ReadCall systemRead();

// OpenFailed when the file cannot be opened (or is a folder), LengthError
// when its size differs from out.size() (nothing is read then), Ok when out
// holds the whole file. Failures after opening throw FileError, including a
// file that turns out shorter than its size said.
FileResult readFixedSizeFile(const std::filesystem::path& path, std::span<std::uint8_t> out,
                             const ReadCall& readCall = systemRead());

// The same for a file that may have any one of several lengths.
struct FileOfSize {
  FileResult result = FileResult::OpenFailed;
  int openError = 0;                   // the system's reason for OpenFailed
  std::optional<std::uintmax_t> size;  // what a regular file holds; none for pipes, devices
  std::vector<std::uint8_t> bytes;     // the whole file, only for Ok
};
FileOfSize readFileOfSize(const std::filesystem::path& path,
                          std::initializer_list<std::size_t> sizes,
                          const ReadCall& readCall = systemRead());

}  // namespace sci
