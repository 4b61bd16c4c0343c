#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace sci {

// The port field's read-back: its first kPortTextReadLength characters
// (FormLimits.h) hold an unsigned decimal number, optionally preceded
// by one '+', with blanks and tabs around it. Zero counts only when written
// with a leading digit 0 (so "" and "+0" are refused); numbers beyond 32 bits
// become 4294967295. nullopt = refused. text is UTF-8; any character beyond
// ASCII is refused like any other non-digit.
std::optional<std::uint32_t> parsePortText(std::string_view text);

}  // namespace sci
