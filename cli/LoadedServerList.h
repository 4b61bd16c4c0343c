#pragma once
// A server list file read for display or export: the header's values next
// to the unscrambled table.

#include <cstdint>
#include <span>
#include <string>

#include "data/ServerEntry.h"

namespace sci {

struct ServerListHeader {
  std::uint32_t deviceValue32 = 0;
  std::uint32_t bodyLength = 0;
  std::uint32_t checksum = 0;
  std::uint16_t deviceValue8 = 0;
  std::uint16_t deviceValue16 = 0;
};

struct LoadedServerList {
  std::string failure;  // the reason in the editor's words; empty when loaded
  ServerListHeader header;
  ServerTable table{};
};

LoadedServerList loadServerList(const std::string& path);

// The same for bytes already read; any length is judged.
LoadedServerList decodeLoadedServerList(std::span<const std::uint8_t> bytes);

}  // namespace sci
