#pragma once
// Case folding and character classes for names the program looks at
// itself, such as file extensions. Only ASCII counts: the C library's
// tolower and isalnum follow the user's locale, and a Turkish locale leaves
// 'I' alone or turns it into a dotless i, so that "LIST.BIN" would no
// longer contain ".bin".

#include <string>
#include <string_view>

namespace sci {

// For any character type: a path's own characters (wchar_t on Windows) fold
// the same way, and code units outside ASCII are left as they are.
template <typename Char>
constexpr Char asciiLower(Char c) {
  return c >= Char('A') && c <= Char('Z') ? static_cast<Char>(c - Char('A') + Char('a')) : c;
}

constexpr bool isAsciiLetterOrDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

inline std::string asciiLowered(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = asciiLower(c);
  return out;
}

}  // namespace sci
