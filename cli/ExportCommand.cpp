#include <fmt/format.h>

#include <cstdio>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/JsonText.h"
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
  const std::string text = jsonText(exportServerList(list.table)) + "\n";
  if (output.empty() || output == "-") {
    std::fwrite(text.data(), 1, text.size(), stdout);
    return kExitOk;
  }
  const std::span<const std::uint8_t> content(reinterpret_cast<const std::uint8_t*>(text.data()),
                                              text.size());
  // The passwords are in clear: nobody else may read a new file.
  const std::string failure = runOutputWrite(
      output,
      [&] { return writeFileAtomically(argumentPath(output), content, WriteOps::system()); },
      NewFileAccess::OwnerOnly);
  if (!failure.empty()) {
    reportFailure(output, failure);
    return kExitRefused;
  }
  return kExitOk;
}

}  // namespace sci
