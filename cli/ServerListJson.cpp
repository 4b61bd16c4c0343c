#include "cli/ServerListJson.h"

#include <cstring>

#include "cli/Hex.h"
#include "data/SingleByteText.h"
#include "editor/EntryForm.h"

namespace sci {

nlohmann::ordered_json shownEntryJson(std::size_t index, const ServerEntry& entry,
                                      const std::string& password) {
  const EntryForm shown = formFromEntry(entry);
  return {
      {"position", index + 1},
      {"empty", shown.server.empty()},
      {"server", bytesToUtf8(shown.server)},
      {"port", shown.port},
      {"key", shown.keyText},
      {"userName", bytesToUtf8(shown.userName)},
      {"password", bytesToUtf8(password)},
  };
}

nlohmann::ordered_json exportServerList(const ServerTable& table) {
  nlohmann::ordered_json doc;
  doc["formatVersion"] = kJsonFormatVersion;
  doc["preamble"] = toHex(table.preamble);
  auto& entries = doc["entries"] = nlohmann::ordered_json::array();
  for (std::size_t i = 0; i < kEntryCount; ++i) {
    const ServerEntry& entry = table.entries[i];
    std::uint8_t raw[kEntrySize];
    std::memcpy(raw, &entry, kEntrySize);
    auto item = shownEntryJson(i, entry, formFromEntry(entry).password);
    item["raw"] = toHex(raw);
    entries.push_back(std::move(item));
  }
  return doc;
}

}  // namespace sci
