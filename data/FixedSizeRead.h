#pragma once
// Reads a file that must have one exact length, in one piece.

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <span>

#include "data/FileResult.h"

namespace sci {

// OpenFailed when the file cannot be opened (or is a folder), LengthError
// when its size differs from out.size() (nothing is read then), Ok when out
// holds the whole file. Failures after opening throw FileError, including a
// file that turns out shorter than its size said.
FileResult readFixedSizeFile(const std::filesystem::path& path, std::span<std::uint8_t> out);

// The same with the read call replaceable, so tests can make it fail.
using ReadCall = ssize_t (*)(int fd, void* buffer, std::size_t size);
FileResult readFixedSizeFile(const std::filesystem::path& path, std::span<std::uint8_t> out,
                             ReadCall readCall);

}  // namespace sci
