#include "cli/ServerListJson.h"

#include <cstring>

#include "cli/Hex.h"
#include "cli/ShownEntry.h"
#include "data/SingleByteText.h"

namespace sci {

nlohmann::ordered_json exportServerList(const ServerTable& table) {
  nlohmann::ordered_json doc;
  doc["formatVersion"] = kJsonFormatVersion;
  doc["preamble"] = toHex(table.preamble);
  auto& entries = doc["entries"] = nlohmann::ordered_json::array();
  for (std::size_t i = 0; i < kEntryCount; ++i) {
    const ServerEntry& entry = table.entries[i];
    const ShownEntry shown = showEntry(entry);
    std::uint8_t raw[kEntrySize];
    std::memcpy(raw, &entry, kEntrySize);
    entries.push_back({
        {"position", i + 1},
        {"empty", shown.empty()},
        {"server", bytesToUtf8(shown.server)},
        {"port", shown.port},
        {"key", formatKey(entry)},
        {"userName", bytesToUtf8(shown.userName)},
        {"password", bytesToUtf8(shown.password)},
        {"raw", toHex(raw)},
    });
  }
  return doc;
}

}  // namespace sci
