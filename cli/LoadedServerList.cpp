#include "cli/LoadedServerList.h"

#include "cli/EditorWords.h"
#include "cli/SmallFileReader.h"
#include "data/ServerListFile.h"

namespace sci {

LoadedServerList loadServerList(const std::string& path) {
  const SmallFile file = readSmallFile(path, {kServerListSize});
  if (!file.failure.empty()) {
    LoadedServerList list;
    list.failure = file.failure + otherKindHint(path, file, kServerListSize);
    return list;
  }
  return decodeLoadedServerList(file.bytes);
}

LoadedServerList decodeLoadedServerList(std::span<const std::uint8_t> bytes) {
  LoadedServerList list;
  list.failure = serverListResultText(decodeServerList(bytes, list.table));
  if (!list.failure.empty()) return list;
  list.header = decodeServerListHeader(bytes);
  return list;
}

}  // namespace sci
