#include "cli/ShownEntry.h"

namespace sci {

ShownEntry showEntry(const ServerEntry& entry) {
  ShownEntry shown;
  shown.server = getText(entry.server);
  shown.port = entry.port();
  shown.key = entry.key;
  if (!shown.server.empty()) shown.userName = getText(entry.userName);
  shown.password = getText(entry.password);
  return shown;
}

}  // namespace sci
