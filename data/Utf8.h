#pragma once
// Reading UTF-8: the one decoder behind the single-byte conversion and the
// terminal's view of file names.

#include <cstddef>
#include <string_view>

namespace sci {

// Length of the well-formed UTF-8 sequence at the start of `text` and the
// code point it holds; 0 when there is none (an empty text, a cut-off or
// overlong sequence, a surrogate, a value past U+10FFFF).
std::size_t decodeUtf8(std::string_view text, char32_t& ch);

}  // namespace sci
