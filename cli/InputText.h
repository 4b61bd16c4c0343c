#pragma once
// Reads a whole input text (a JSON list) from a file or, for "-", from
// standard input, up to a size no server list comes near.

#include <cstddef>
#include <string>

namespace sci {

inline constexpr std::size_t kMaxInputSize = 1 << 20;

struct InputText {
  std::string failure;  // empty when read
  std::string text;
};

InputText readInputText(const std::string& path);

}  // namespace sci
