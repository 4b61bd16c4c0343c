#include "cli/TerminalText.h"

#include <fmt/format.h>

#include <cstdint>

#include "data/SingleByteText.h"

namespace sci {
namespace {

void appendEscaped(std::string& out, std::string_view bytes) {
  for (const char c : bytes) out += fmt::format("\\x{:02X}", static_cast<std::uint8_t>(c));
}

// Length of the well-formed UTF-8 sequence at the start of `text` and the
// code point it holds; 0 when it is not one (overlong forms, surrogates and
// values past U+10FFFF included).
std::size_t utf8Sequence(std::string_view text, char32_t& ch) {
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
    std::size_t length = utf8Sequence(name, ch);
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
