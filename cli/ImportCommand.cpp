#include <fmt/format.h>

#include "cli/Commands.h"
#include "cli/InputText.h"
#include "cli/LoadedDeviceConfig.h"
#include "cli/OutputFile.h"
#include "cli/ServerListImport.h"
#include "data/ServerListFile.h"

namespace sci {

int runImport(const ImportOptions& options) {
  if (const std::string refusal =
          sameFileRefusal(options.output, {options.input, options.configPath});
      !refusal.empty()) {
    reportFailure(options.output, refusal);
    return kExitRefused;
  }
  // Everything is checked before anything is written.
  bool refused = false;
  const InputText input = readInputText(options.input);
  ImportOutcome outcome;
  if (!input.failure.empty()) {
    reportFailure(options.input, input.failure);
    refused = true;
  } else {
    outcome = importServerList(input.text);
    for (const std::string& refusal : outcome.refusals) reportFailure(options.input, refusal);
    refused = !outcome.refusals.empty();
  }
  const LoadedDeviceConfig config = loadDeviceConfigFile(options.configPath);
  if (!config.failure.empty()) {
    reportFailure(options.configPath, config.failure);
    refused = true;
  }
  if (refused) return kExitRefused;

  const ServerListImage image = encodeServerList(outcome.table, config.config);
  const std::string failure = writeOutput(options.output, image, OutputContent::Binary);
  if (!failure.empty()) {
    reportFailure(options.output, failure);
    return kExitRefused;
  }
  reportWritten(
      options.output,
      fmt::format(" ({} positions stored, {} kept byte for byte, {} not given)", outcome.stored,
                  outcome.unchanged, kEntryCount - outcome.stored - outcome.unchanged));
  return kExitOk;
}

}  // namespace sci
