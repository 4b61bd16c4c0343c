#include "editor/PortText.h"

#include <limits>

#include "editor/FormLimits.h"

namespace sci {

namespace {

bool isBlank(char ch) { return ch == ' ' || ch == '\t'; }
bool isDecimalDigit(char ch) { return ch >= '0' && ch <= '9'; }
// Every byte of UTF-8 but a continuation byte starts a character.
bool startsCharacter(char ch) { return (static_cast<unsigned char>(ch) & 0xC0) != 0x80; }

// The first `characters` characters of a UTF-8 text.
std::string_view firstCharacters(std::string_view text, std::size_t characters) {
  std::size_t seen = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!startsCharacter(text[i])) continue;
    if (seen == characters) return text.substr(0, i);
    ++seen;
  }
  return text;
}

}  // namespace

std::optional<std::uint32_t> parsePortText(std::string_view text) {
  text = firstCharacters(text, kPortTextReadLength);
  std::size_t i = 0;
  const std::size_t end = text.size();
  while (i < end && isBlank(text[i])) ++i;
  const bool writtenWithZero = i < end && text[i] == '0';
  if (i < end && text[i] == '+') ++i;

  constexpr std::uint64_t kMax = std::numeric_limits<std::uint32_t>::max();
  std::uint64_t value = 0;
  while (i < end && isDecimalDigit(text[i])) {
    value = value * 10 + static_cast<std::uint64_t>(text[i] - '0');
    if (value > kMax) value = kMax + 1;  // saturate; only "too large" matters now
    ++i;
  }
  while (i < end && isBlank(text[i])) ++i;

  if (i != end) return std::nullopt;  // a sign other than one '+', or any other character
  if (value == 0 && !writtenWithZero) return std::nullopt;
  return static_cast<std::uint32_t>(value > kMax ? kMax : value);
}

}  // namespace sci
