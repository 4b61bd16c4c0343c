#pragma once
// Texts in both files are single bytes in Windows-1252. The five bytes that
// Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the
// control characters of the same value, so every byte has exactly one
// character and every text survives a round trip through Unicode.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sci {

char32_t byteToUnicode(std::uint8_t byte);

// nullopt when the character has no single-byte form.
std::optional<std::uint8_t> unicodeToByte(char32_t ch);

std::string bytesToUtf8(std::string_view bytes);

// nullopt for invalid UTF-8 or a character without a single-byte form.
std::optional<std::string> utf8ToBytes(std::string_view utf8);

}  // namespace sci
