#include <fmt/format.h>

#include <cstdio>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/LoadedServerList.h"
#include "cli/OutputFile.h"
#include "cli/ServerListJson.h"
#include "data/AtomicWrite.h"
#include "data/ServerListFile.h"

namespace sci {

int runExport(const std::string& path, const std::string& output) {
  const LoadedServerList list = loadServerList(path);
  if (!list.failure.empty()) {
    reportFailure(path, list.failure);
    return kExitRefused;
  }
  const std::string text = exportServerList(list.table).dump(2) + "\n";
  if (output.empty() || output == "-") {
    std::fwrite(text.data(), 1, text.size(), stdout);
    return kExitOk;
  }
  const std::span<const std::uint8_t> content(reinterpret_cast<const std::uint8_t*>(text.data()),
                                              text.size());
  const std::string failure = runOutputWrite(output, [&] {
    return writeFileAtomically(argumentPath(output), content, WriteOps::system());
  });
  if (!failure.empty()) {
    reportFailure(output, failure);
    return kExitRefused;
  }
  return kExitOk;
}

}  // namespace sci
