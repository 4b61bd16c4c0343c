#include "cli/TerminalText.h"

#include <fmt/format.h>

#include <cstdint>

#include "data/SingleByteText.h"
#include "data/Utf8.h"

namespace sci {
namespace {

void appendEscaped(std::string& out, std::string_view bytes) {
  for (const char c : bytes) out += fmt::format("\\x{:02X}", static_cast<std::uint8_t>(c));
}

}  // namespace

std::string printableText(std::string_view singleByteText) {
  std::string out;
  for (std::size_t i = 0; i < singleByteText.size(); ++i) {
    const std::string_view c = singleByteText.substr(i, 1);
    if (isControlCharacter(byteToUnicode(static_cast<std::uint8_t>(c[0])))) {
      appendEscaped(out, c);
    } else {
      out += bytesToUtf8(c);
    }
  }
  return out;
}

std::string printableName(std::string_view name) {
  // Most names need nothing; keep checking many files cheap.
  bool plain = true;
  for (const char c : name) {
    const auto byte = static_cast<std::uint8_t>(c);
    if (byte < 0x20 || byte >= 0x7F) {
      plain = false;
      break;
    }
  }
  if (plain) return std::string(name);

  std::string out;
  while (!name.empty()) {
    char32_t ch = 0;
    std::size_t length = decodeUtf8(name, ch);
    if (length == 0) {
      length = 1;
      appendEscaped(out, name.substr(0, 1));
    } else if (isControlCharacter(ch)) {
      appendEscaped(out, name.substr(0, length));
    } else {
      out += name.substr(0, length);
    }
    name.remove_prefix(length);
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
