#include "cli/LoadedServerList.h"

#include "cli/EditorWords.h"
#include "cli/SmallFileReader.h"
#include "data/ServerListFile.h"

namespace sci {

LoadedServerList loadServerList(const std::string& path) {
  LoadedServerList list;
  const SmallFile file = readSmallFile(path, {kServerListSize});
  list.failure = file.failure;
  if (!list.failure.empty()) return list;

  list.failure = serverListResultText(decodeServerList(file.bytes, list.table));
  if (!list.failure.empty()) return list;
  list.header = decodeServerListHeader(file.bytes);
  return list;
}

}  // namespace sci
