#pragma once
// Texts from a file go to a terminal only as printable characters: a stored
// control character (an escape sequence, say) is shown as \xNN instead of
// being sent to the terminal.

#include <cstddef>
#include <string>
#include <string_view>

namespace sci {

// Single-byte (Windows-1252) text in, printable UTF-8 out.
std::string printableText(std::string_view singleByteText);

// Columns a UTF-8 text takes: one per code point (the texts shown here
// hold no wide characters).
std::size_t displayWidth(std::string_view utf8);

}  // namespace sci
