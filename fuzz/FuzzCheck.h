#pragma once
// A failed property ends the run with a crash, which libFuzzer records
// together with the input that caused it.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#define FUZZ_CHECK(condition)                                                            \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)

namespace sci::fuzz {

// Where a text meant for a terminal holds something the terminal would act
// on: a C0 control other than the line end, DEL, a C1 control, or a byte
// that is not part of well-formed UTF-8 (an 8-bit terminal takes 0x9B as
// CSI). npos when there is nothing.
inline std::size_t firstRawControl(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<std::uint8_t>(text[i]);
    const std::size_t length = lead < 0x80   ? 1
                               : lead < 0xC2 ? 0
                               : lead < 0xE0 ? 2
                               : lead < 0xF0 ? 3
                               : lead < 0xF5 ? 4
                                             : 0;
    if (length == 0 || i + length > text.size()) return i;
    char32_t ch = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<std::uint8_t>(text[i + k]);
      if ((next & 0xC0) != 0x80) return i;
      ch = ch << 6 | (next & 0x3F);
    }
    if ((ch < 0x20 && ch != '\n') || (ch >= 0x7F && ch < 0xA0)) return i;
    i += length;
  }
  return std::string_view::npos;
}

}  // namespace sci::fuzz
