#pragma once
// A server list file read for display or export: the header's values next
// to the unscrambled table.

#include <cstdint>
#include <span>
#include <string>

#include "data/ServerListFile.h"

namespace sci {

struct LoadedServerList {
  std::string failure;  // the reason in the editor's words; empty when loaded
  ServerListHeader header;
  ServerTable table{};
};

LoadedServerList loadServerList(const std::string& path);

// The same for bytes already read; any length is judged.
LoadedServerList decodeLoadedServerList(std::span<const std::uint8_t> bytes);

}  // namespace sci
