#include <fmt/format.h>

#include <cstring>
#include <nlohmann/json.hpp>

#include "cli/Commands.h"
#include "cli/JsonText.h"
#include "cli/LoadedServerList.h"
#include "cli/ServerListJson.h"
#include "cli/ShowOutput.h"
#include "cli/StandardStreams.h"
#include "cli/TerminalText.h"
#include "cli/TextTable.h"
#include "data/SingleByteText.h"
#include "editor/EntryForm.h"

namespace sci {
namespace {

constexpr const char* kPasswordMask = "****";

std::string maskedPassword(const std::string& password, bool showPasswords) {
  return showPasswords || password.empty() ? password : kPasswordMask;
}

}  // namespace

// The device values in the order the configuration holds them and
// `config show` prints them, and both checksums in hex.
std::string serverListText(const std::string& path, const LoadedServerList& list,
                           bool showPasswords) {
  const ServerListHeader& h = list.header;
  std::string out = fmt::format(
      "file:           {}\n"
      "deviceValue16:  {}\n"
      "deviceValue32:  {}\n"
      "deviceValue8:   {}\n"
      "checksum:       0x{:08X}, holds\n\n",
      printableName(path), h.deviceValue16, h.deviceValue32, h.deviceValue8, h.checksum);

  using Align = TextTable::Align;
  TextTable table({{"Pos", Align::Right},
                   {"Server"},
                   {"Port", Align::Right},
                   {"Key"},
                   {"User name"},
                   {"Password"}});
  for (std::size_t i = 0; i < kEntryCount; ++i) {
    const ServerEntry& entry = list.table.entries[i];
    const EntryForm shown = formFromEntry(entry);
    table.addRow({std::to_string(i + 1), printableText(shown.server), std::to_string(shown.port),
                  shown.keyText, printableText(shown.userName),
                  printableText(maskedPassword(shown.password, showPasswords))});
  }
  out += table.render();
  return out;
}

std::string serverListJsonText(const std::string& path, const LoadedServerList& list,
                               bool showPasswords) {
  const ServerListHeader& h = list.header;
  nlohmann::ordered_json doc;
  // A file name need not be UTF-8; replace what is not rather than fail.
  doc["file"] = path;
  doc["deviceValue16"] = h.deviceValue16;
  doc["deviceValue32"] = h.deviceValue32;
  doc["deviceValue8"] = h.deviceValue8;
  doc["checksum"] = {{"stored", h.checksum}, {"holds", true}};
  auto& entries = doc["entries"] = nlohmann::ordered_json::array();
  for (std::size_t i = 0; i < kEntryCount; ++i) {
    const ServerEntry& entry = list.table.entries[i];
    entries.push_back(
        shownEntryJson(i, entry, maskedPassword(formFromEntry(entry).password, showPasswords)));
  }
  return jsonText(doc) + "\n";
}

int runShow(const ShowOptions& options) {
  const LoadedServerList list = loadServerList(options.path);
  if (!list.failure.empty()) {
    reportFailure(options.path, list.failure);
    return kExitRefused;
  }
  const std::string out = options.json
                              ? serverListJsonText(options.path, list, options.showPasswords)
                              : serverListText(options.path, list, options.showPasswords);
  writeText(stdout, out);
  return kExitOk;
}

}  // namespace sci
