#include "cli/JsonText.h"

#include <fmt/format.h>

#include <cstdint>

namespace sci {

std::string jsonText(const nlohmann::ordered_json& doc, int indent) {
  const std::string dumped =
      doc.dump(indent, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
  // The dump is valid UTF-8 and its syntax is ASCII, so DEL and the two-byte
  // forms C2 80..C2 9F can only be characters inside strings.
  std::string out;
  out.reserve(dumped.size());
  for (std::size_t i = 0; i < dumped.size(); ++i) {
    const auto byte = static_cast<std::uint8_t>(dumped[i]);
    if (byte == 0x7F) {
      out += "\\u007f";
    } else if (byte == 0xC2 && i + 1 < dumped.size() &&
               static_cast<std::uint8_t>(dumped[i + 1]) < 0xA0) {
      out += fmt::format("\\u{:04x}", static_cast<std::uint8_t>(dumped[++i]));
    } else {
      out += dumped[i];
    }
  }
  return out;
}

}  // namespace sci
