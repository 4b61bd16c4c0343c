#pragma once
// Reads a file that must have one exact length, in one piece.

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

}  // namespace sci
