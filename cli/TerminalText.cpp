#include "cli/TerminalText.h"

#include <fmt/format.h>

#include "data/SingleByteText.h"

namespace sci {

std::string printableText(std::string_view singleByteText) {
  std::string out;
  for (const char c : singleByteText) {
    const auto byte = static_cast<std::uint8_t>(c);
    const char32_t ch = byteToUnicode(byte);
    if (ch < 0x20 || (ch >= 0x7F && ch < 0xA0)) {
      out += fmt::format("\\x{:02X}", byte);
    } else {
      out += bytesToUtf8(std::string_view(&c, 1));
    }
  }
  return out;
}

std::size_t displayWidth(std::string_view utf8) {
  std::size_t width = 0;
  for (const char c : utf8) {
    if ((static_cast<std::uint8_t>(c) & 0xC0) != 0x80) ++width;
  }
  return width;
}

}  // namespace sci
