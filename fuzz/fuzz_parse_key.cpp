// Parses arbitrary text as a key; the parsed key's display text must parse
// back to the same key and always have the fixed length.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "data/ServerEntry.h"
#include "fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  sci::ServerEntry entry = sci::DefaultEntry();
  entry.key = sci::parseKey(text);

  const std::string shown = sci::formatKey(entry);
  FUZZ_CHECK(shown.size() == sci::kKeyTextLength);
  FUZZ_CHECK(sci::parseKey(shown) == entry.key);

  sci::ServerEntry again = sci::DefaultEntry();
  again.key = sci::parseKey(shown);
  FUZZ_CHECK(sci::formatKey(again) == shown);
  return 0;
}
