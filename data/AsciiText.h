#pragma once
// Case folding for names the program compares itself, such as file
// extensions. Only A-Z change: the C library's tolower follows the user's
// locale, and a Turkish locale leaves 'I' alone or turns it into a dotless
// i, so that "LIST.BIN" would no longer contain ".bin".

#include <string>
#include <string_view>

namespace sci {

constexpr char asciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string asciiLowered(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = asciiLower(c);
  return out;
}

}  // namespace sci
