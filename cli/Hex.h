#pragma once
// Byte blocks in the JSON format are plain hex strings: two digits per byte,
// no separators.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sci {

// Upper-case digits.
std::string toHex(std::span<const std::uint8_t> bytes);

// Accepts either case; nullopt for an odd length or a non-hex character.
std::optional<std::vector<std::uint8_t>> fromHex(std::string_view text);

}  // namespace sci
