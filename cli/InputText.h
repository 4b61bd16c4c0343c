#pragma once
// Reads a whole input text (a JSON list) from a file or, for "-", from
// standard input, up to a size no server list comes near.

#include <cstddef>
#include <cstdio>
#include <string>

namespace sci {

inline constexpr std::size_t kMaxInputSize = 1 << 20;

struct InputText {
  std::string failure;  // empty when read
  std::string text;
};

InputText readInputText(const std::string& path);

// What differs between systems (one file per platform): opening a named
// input for binary reading, nullptr and the system's reason when it fails,
// and the system's reason for the last failed read.
std::FILE* openInputFile(const std::string& path, int& error);
int lastReadError();

}  // namespace sci
