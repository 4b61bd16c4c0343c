#pragma once
// JSON as scitool prints and writes it. The JSON library escapes only the C0
// controls; DEL and the C1 controls (U+0080..U+009F, which the five
// undefined Windows-1252 bytes become) would reach a terminal raw, so they
// are escaped as \u00XX too.

#include <nlohmann/json.hpp>
#include <string>

namespace sci {

// A text that is not UTF-8 (a file name, say) has its bad bytes replaced
// rather than failing the output.
std::string jsonText(const nlohmann::ordered_json& doc, int indent = 2);

}  // namespace sci
