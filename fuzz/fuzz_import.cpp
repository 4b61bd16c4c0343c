// Feeds arbitrary text to `scitool import`'s JSON reader and validation.
// Every refusal must print as one harmless line; whatever is accepted must
// export and import again to the same table, every entry then kept byte
// for byte, and survive the file format.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "cli/JsonText.h"
#include "cli/ServerListImport.h"
#include "cli/ServerListJson.h"
#include "cli/TerminalText.h"
#include "data/ServerListFile.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzDeviceConfig.h"

using sci::fuzz::fuzzConfig;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const sci::ImportOutcome outcome = sci::importServerList(text);
  for (const std::string& refusal : outcome.refusals) {
    const std::string shown = sci::printableName(refusal);
    FUZZ_CHECK(!shown.empty());
    FUZZ_CHECK(shown.find('\n') == std::string::npos);
    FUZZ_CHECK(sci::fuzz::firstRawControl(shown) == std::string_view::npos);
  }
  if (!outcome.refusals.empty()) return 0;
  FUZZ_CHECK(outcome.stored + outcome.unchanged <= sci::kEntryCount);

  const std::string exported = sci::jsonText(sci::exportServerList(outcome.table));
  FUZZ_CHECK(sci::fuzz::firstRawControl(exported) == std::string_view::npos);
  const sci::ImportOutcome again = sci::importServerList(exported);
  FUZZ_CHECK(again.refusals.empty());
  FUZZ_CHECK(again.stored == 0 && again.unchanged == sci::kEntryCount);
  FUZZ_CHECK(again.table == outcome.table);

  const sci::ServerListImage image =
      sci::encodeServerList(outcome.table, fuzzConfig(), [] { return 17u; });
  sci::ServerTable read = sci::initialTable();
  FUZZ_CHECK(sci::decodeServerList(image, read) == sci::FileResult::Ok);
  FUZZ_CHECK(read.entries == outcome.table.entries);
  return 0;
}
