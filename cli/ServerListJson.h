#pragma once
// The JSON form of a server list (docs/json-format.md): what `export` writes
// and `import` reads.

#include <cstddef>
#include <nlohmann/json.hpp>
#include <string>

#include "data/ServerEntry.h"

namespace sci {

inline constexpr int kJsonFormatVersion = 1;

// One position as the editor shows it; password given separately so that
// `show` can mask it.
nlohmann::ordered_json shownEntryJson(std::size_t index, const ServerEntry& entry,
                                      const std::string& password);

// Every position with the values the editor shows and the 92 raw bytes;
// texts converted from Windows-1252 to UTF-8.
nlohmann::ordered_json exportServerList(const ServerTable& table);

}  // namespace sci
