#include <fmt/format.h>

#include "cli/Commands.h"
#include "cli/JsonText.h"
#include "cli/LoadedServerList.h"
#include "cli/OutputFile.h"
#include "cli/ServerListJson.h"

namespace sci {

int runExport(const std::string& path, const std::string& output) {
  const std::string target = output.empty() ? std::string("-") : output;
  if (const std::string refusal = sameFileRefusal(target, {path}); !refusal.empty()) {
    reportFailure(target, refusal);
    return kExitRefused;
  }
  const LoadedServerList list = loadServerList(path);
  if (!list.failure.empty()) {
    reportFailure(path, list.failure);
    return kExitRefused;
  }
  const std::string text = jsonText(exportServerList(list.table)) + "\n";
  const std::span<const std::uint8_t> content(reinterpret_cast<const std::uint8_t*>(text.data()),
                                              text.size());
  // The passwords are in clear: nobody else may read a new file.
  const std::string failure =
      writeOutput(target, content, OutputContent::Text, NewFileAccess::OwnerOnly);
  if (!failure.empty()) {
    reportFailure(target, failure);
    return kExitRefused;
  }
  // JSON sent to standard output is the result itself.
  if (!output.empty()) reportWritten(target);
  return kExitOk;
}

}  // namespace sci
