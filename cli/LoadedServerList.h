#pragma once
// A server list file read for display or export: the header's values next
// to the unscrambled table.

#include <string>

#include "data/ServerListFile.h"

namespace sci {

struct LoadedServerList {
  std::string failure;  // the reason in the editor's words; empty when loaded
  ServerListHeader header;
  ServerTable table{};
};

LoadedServerList loadServerList(const std::string& path);

}  // namespace sci
