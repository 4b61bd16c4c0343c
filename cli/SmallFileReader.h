#pragma once
// Reads a file only when its size is one of the sizes the caller can use:
// one open, one size query and one read, so checking thousands of files
// stays cheap, and a file of the wrong length is never read at all.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace sci {

struct SmallFile {
  enum class Status { Read, OtherSize, OpenFailed, ReadFailed };
  Status status = Status::OpenFailed;
  int osError = 0;                  // for OpenFailed and ReadFailed
  std::vector<std::uint8_t> bytes;  // only for Read
};

SmallFile readFileOfSize(const std::string& path, std::initializer_list<std::size_t> sizes);

// The reason for a failed read in the editor's words, or "" for Read.
std::string smallFileFailureText(const SmallFile& file);

}  // namespace sci
