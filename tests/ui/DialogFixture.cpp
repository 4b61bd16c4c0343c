#include "tests/ui/DialogFixture.h"

#include <fstream>
#include <stdexcept>

#include "data/DeviceConfig.h"
#include "data/ServerListFile.h"

namespace sci::test {

std::vector<std::uint8_t> goodConfigBytes(std::string_view title) {
  const auto bytes = encodeDeviceConfig(title, 0x1234, 0x89abcdef, 0x42);
  return {bytes.begin(), bytes.end()};
}

void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!out) throw std::runtime_error("cannot write fixture file");
}

ServerEntry makeEntry(std::string_view server, std::uint32_t port, std::string_view userName,
                      std::string_view password) {
  ServerEntry entry = DefaultEntry();
  storeFields(entry, server, port, "01 23 45 67 89 AB CD EF 10 32 54 76 98 BA", userName, password);
  return entry;
}

ServerTable tableStartingWith(const ServerEntry& entry) {
  ServerTable table = initialTable();
  table.entries[0] = entry;
  return table;
}

void writeList(const std::filesystem::path& path, const ServerTable& table) {
  DeviceConfig config;
  const auto bytes = goodConfigBytes();
  const std::filesystem::path configPath = path.parent_path() / "list-config.cfg";
  writeFile(configPath, bytes);
  if (loadDeviceConfig(config, configPath) != FileResult::Ok ||
      writeServerList(path, table, config) != FileResult::Ok) {
    throw std::runtime_error("cannot write fixture list");
  }
}

void DialogTest::start(std::optional<std::vector<std::uint8_t>> config, WriteOps writeOps) {
  const std::filesystem::path configPath = dir.path() / "IPConfig.cfg";
  if (config) writeFile(configPath, *config);
  DialogSetup setup;
  setup.configPath = configPath;
  setup.configNamed = configNamed;
  setup.writeOps = std::move(writeOps);
  setup.applicationName = kAppName;
  setup.listPath = listAtStart;
  dialog = std::make_unique<ServerListDialog>(controls, prompts, std::move(setup));
  dialog->OnInitDialog();
}

void DialogTest::showFirst(const ServerEntry& entry) {
  const std::filesystem::path list = dir.path() / "first.bin";
  writeList(list, tableStartingWith(entry));
  dialog->openList(list);
}

}  // namespace sci::test
