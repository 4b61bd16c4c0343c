#include "data/SingleByteText.h"

#include <array>

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

// Decodes one UTF-8 sequence at pos; nullopt on malformed input.
std::optional<char32_t> nextCodePoint(std::string_view s, std::size_t& pos) {
  const auto lead = static_cast<std::uint8_t>(s[pos++]);
  if (lead < 0x80) return lead;
  int extra = 0;
  char32_t c = 0;
  char32_t min = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1, c = lead & 0x1F, min = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, c = lead & 0x0F, min = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, c = lead & 0x07, min = 0x10000;
  } else {
    return std::nullopt;
  }
  for (int i = 0; i < extra; ++i) {
    if (pos >= s.size()) return std::nullopt;
    const auto b = static_cast<std::uint8_t>(s[pos++]);
    if ((b & 0xC0) != 0x80) return std::nullopt;
    c = (c << 6) | (b & 0x3F);
  }
  if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
  return c;
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
  for (std::size_t pos = 0; pos < utf8.size();) {
    const auto c = nextCodePoint(utf8, pos);
    if (!c) return std::nullopt;
    const auto b = unicodeToByte(*c);
    if (!b) return std::nullopt;
    out += static_cast<char>(*b);
  }
  return out;
}

}  // namespace sci
