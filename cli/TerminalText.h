#pragma once
// Texts from a file and file names go to a terminal only as printable
// characters: a control character (an escape sequence, say, or a newline
// that would start a forged result line) is shown as \xNN instead of being
// sent to the terminal.

#include <cstddef>
#include <string>
#include <string_view>

namespace sci {

// C0 controls, DEL and the C1 controls: what a terminal may act on.
constexpr bool isControlCharacter(char32_t ch) { return ch < 0x20 || (ch >= 0x7F && ch < 0xA0); }

// Single-byte (Windows-1252) text in, printable UTF-8 out.
std::string printableText(std::string_view singleByteText);

// A file name (or a message holding one) as the system gives it: printable
// UTF-8 is kept, and every byte of a control character or of something
// that is not UTF-8 is shown as \xNN, so the name's bytes can be read back.
std::string printableName(std::string_view name);

// Columns a UTF-8 text takes: one per code point (the texts shown here
// hold no wide characters).
std::size_t displayWidth(std::string_view utf8);

}  // namespace sci
