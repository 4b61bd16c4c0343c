#include "data/SingleByteText.h"

#include <array>

#include "data/Utf8.h"

namespace sci {
namespace {

// Windows-1252 bytes 0x80..0x9F; the rest coincide with Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

char32_t byteToUnicode(std::uint8_t byte) {
  if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80];
  return byte;
}

std::optional<std::uint8_t> unicodeToByte(char32_t ch) {
  if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) return static_cast<std::uint8_t>(ch);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == ch) return static_cast<std::uint8_t>(0x80 + i);
  }
  return std::nullopt;
}

std::string bytesToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char b : bytes) appendUtf8(out, byteToUnicode(static_cast<std::uint8_t>(b)));
  return out;
}

std::optional<std::string> utf8ToBytes(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  while (!utf8.empty()) {
    char32_t c = 0;
    const std::size_t length = decodeUtf8(utf8, c);
    if (length == 0) return std::nullopt;
    const auto b = unicodeToByte(c);
    if (!b) return std::nullopt;
    out += static_cast<char>(*b);
    utf8.remove_prefix(length);
  }
  return out;
}

}  // namespace sci
