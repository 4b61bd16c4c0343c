#include "data/Utf8.h"

#include <cstdint>

namespace sci {

std::size_t decodeUtf8(std::string_view text, char32_t& ch) {
  if (text.empty()) return 0;
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const std::uint8_t lead = byte(0);
  std::size_t length = 0;
  char32_t min = 0;
  if (lead < 0x80) {
    ch = lead;
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, ch = lead & 0x1F, min = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, ch = lead & 0x0F, min = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, ch = lead & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    ch = ch << 6 | (byte(i) & 0x3F);
  }
  if (ch < min || ch > 0x10FFFF || (ch >= 0xD800 && ch < 0xE000)) return 0;
  return length;
}

}  // namespace sci
