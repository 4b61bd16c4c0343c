#include "tests/cli/ScitoolFixture.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include "data/ServerListFile.h"
#include "tests/cli/RunProcess.h"
#include "tests/data/TempDir.h"

namespace sci::test {
namespace fs = std::filesystem;

namespace {
constexpr unsigned kRunTimeoutSeconds = 30;
}  // namespace

void ScitoolTest::SetUp() { dir_ = makeUniqueFolder("scitool-test-"); }

void ScitoolTest::TearDown() {
  std::error_code ignored;
  fs::remove_all(dir_, ignored);
}

RunResult ScitoolTest::run(const std::vector<std::string>& args,
                           const std::string& stdinText) const {
  const fs::path inPath = dir_ / ".stdin";
  const fs::path outPath = dir_ / ".stdout";
  const fs::path errPath = dir_ / ".stderr";
  writeText(".stdin", stdinText);

  ProcessRun process;
  process.argv = {SCITOOL_PATH};
  process.argv.insert(process.argv.end(), args.begin(), args.end());
  process.workDir = dir_;
  process.input = inPath;
  process.output = stdoutTarget.empty() ? outPath : fs::path(stdoutTarget);
  process.error = errPath;
  process.timeoutSeconds = kRunTimeoutSeconds;
  RunResult result;
  result.exitCode = runProcess(process);
  if (result.exitCode == -1) {
    ADD_FAILURE() << "cannot run " << SCITOOL_PATH;
    return result;
  }
  if (stdoutTarget.empty()) result.out = readText(".stdout");
  result.err = readText(".stderr");
  return result;
}

void ScitoolTest::writeBytes(const std::string& name, std::span<const std::uint8_t> bytes) const {
  std::ofstream file(path(name), std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(file.good()) << name;
}

void ScitoolTest::writeText(const std::string& name, const std::string& text) const {
  writeBytes(name, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

std::vector<std::uint8_t> ScitoolTest::readBytes(const std::string& name) const {
  std::ifstream file(path(name), std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string ScitoolTest::readText(const std::string& name) const {
  const auto bytes = readBytes(name);
  return {bytes.begin(), bytes.end()};
}

void ScitoolTest::writeConfig(const std::string& name) const {
  writeBytes(name, encodeDeviceConfig("Test Device", kValue16, kValue32, kValue8));
}

DeviceConfig ScitoolTest::config() const {
  DeviceConfig config;
  const auto bytes = encodeDeviceConfig("Test Device", kValue16, kValue32, kValue8);
  EXPECT_EQ(decodeDeviceConfig(bytes, config), FileResult::Ok);
  return config;
}

void ScitoolTest::writeList(const std::string& name, const ServerTable& table) const {
  unsigned next = 40;
  writeBytes(name, encodeServerList(table, config(), [&] { return next++; }));
}

ServerTable ScitoolTest::readList(const std::string& name) const {
  ServerTable table = initialTable();
  EXPECT_EQ(decodeServerList(readBytes(name), table), FileResult::Ok) << name;
  return table;
}

ServerTable sampleTable() {
  ServerTable table = initialTable();
  table.entries[0] = editorStored("vpn.example.com", 8443,
                                  "01 23 45 67 89 AB CD EF 01 23 45 67 89 AB", "admin", "s3cret");
  // "Café €" in Windows-1252.
  table.entries[2] =
      editorStored("Caf\xE9 \x80 server", 21, "0F 0E 0D 0C 0B 0A 09 08 07 06 05 04 03 02",
                   "jos\xE9", "p\xE4sswort");
  table.entries[19] = editorStored("10.20.30.40", 4294967295u, "", "operator", "hunter22");
  return table;
}

ServerEntry editorStored(std::string_view server, std::uint32_t port, std::string_view keyText,
                         std::string_view userName, std::string_view password) {
  ServerEntry entry = DefaultEntry();
  storeFields(entry, server, port, keyText, userName, password);
  return entry;
}

std::string hex(std::span<const std::uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (const std::uint8_t b : bytes) {
    text += kDigits[b >> 4];
    text += kDigits[b & 15];
  }
  return text;
}

std::span<const std::uint8_t> entryBytes(const ServerEntry& entry) {
  return {reinterpret_cast<const std::uint8_t*>(&entry), kEntrySize};
}

}  // namespace sci::test
