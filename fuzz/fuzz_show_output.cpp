// Renders any 4,124 bytes, given a correct checksum, as `scitool show`
// (text and JSON, passwords hidden and shown) and `scitool export` do, under
// a file name made of the input's remaining bytes. No output may hold a
// byte a terminal would act on, and the JSON must read back to the values
// shown.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "cli/JsonText.h"
#include "cli/LoadedServerList.h"
#include "cli/ServerListJson.h"
#include "cli/ShowOutput.h"
#include "cli/TerminalText.h"
#include "data/ServerListFile.h"
#include "data/SingleByteText.h"
#include "editor/EntryForm.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/PatchedChecksum.h"

namespace {

bool harmless(std::string_view text) {
  return sci::fuzz::firstRawControl(text) == std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::size_t listSize = std::min(size, sci::kServerListSize);
  std::vector<std::uint8_t> file(data, data + listSize);
  file.resize(sci::kServerListSize);
  sci::fuzz::patchChecksum(std::span<std::uint8_t, sci::kServerListSize>(file));
  const std::string name(reinterpret_cast<const char*>(data) + listSize, size - listSize);

  const sci::LoadedServerList list = sci::decodeLoadedServerList(file);
  FUZZ_CHECK(list.failure.empty());
  FUZZ_CHECK(harmless(sci::printableName(name)));

  FUZZ_CHECK(harmless(sci::serverListText(name, list, false)));
  FUZZ_CHECK(harmless(sci::serverListText(name, list, true)));
  FUZZ_CHECK(harmless(sci::serverListJsonText(name, list, false)));
  FUZZ_CHECK(harmless(sci::jsonText(sci::exportServerList(list.table))));

  // Reading JSON back is the slowest step here; once, with every value shown.
  const std::string jsonText = sci::serverListJsonText(name, list, true);
  FUZZ_CHECK(harmless(jsonText));
  const nlohmann::json doc = nlohmann::json::parse(jsonText, nullptr, false);
  FUZZ_CHECK(!doc.is_discarded());
  FUZZ_CHECK(doc["entries"].size() == sci::kEntryCount);
  for (std::size_t i = 0; i < sci::kEntryCount; ++i) {
    const sci::EntryForm shown = sci::formFromEntry(list.table.entries[i]);
    const nlohmann::json& entry = doc["entries"][i];
    FUZZ_CHECK(entry["server"] == sci::bytesToUtf8(shown.server));
    FUZZ_CHECK(entry["userName"] == sci::bytesToUtf8(shown.userName));
    FUZZ_CHECK(entry["password"] == sci::bytesToUtf8(shown.password));
  }
  return 0;
}
