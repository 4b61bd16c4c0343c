// `scitool export` and `scitool import`: the JSON carries every byte, an
// untouched entry comes back byte for byte, and a changed one is stored
// exactly as the editor stores its form.

#include <gmock/gmock.h>

#include <algorithm>
#include <cstring>
#include <nlohmann/json.hpp>

#include "data/ServerListFile.h"
#include "tests/cli/ScitoolFixture.h"

namespace sci::test {
namespace {

using nlohmann::json;

template <std::size_t N>
void fill(std::array<char, N>& field, std::string_view bytes) {
  std::memcpy(field.data(), bytes.data(), std::min(N, bytes.size()));
}

ServerEntry rawEntry(std::uint8_t (*byteAt)(std::size_t)) {
  ServerEntry entry;
  auto* bytes = reinterpret_cast<std::uint8_t*>(&entry);
  for (std::size_t i = 0; i < kEntrySize; ++i) bytes[i] = byteAt(i);
  return entry;
}

// Entries another program might write: texts without terminators, junk
// after terminators, a used gap, zero bytes in the key, every byte value.
ServerTable foreignTable() {
  ServerTable table = initialTable();
  table.preamble[26] = 0xC3;
  table.preamble[27] = 0x07;

  ServerEntry& full = table.entries[0];
  full.server.fill('s');
  full.setPort(0xDEADBEEF);
  full.key = {0x00, 0x11, 0x00, 0x22, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x99};
  full.gap = {0x12, 0x34};
  full.userName.fill('u');
  full.password.fill('p');

  ServerEntry& junk = table.entries[1];
  junk.server.fill('\x7F');
  fill(junk.server, std::string_view("short\0junk", 10));
  fill(junk.userName, std::string_view("ab\0cdefgh", 9));
  fill(junk.password, std::string_view("x\0\x81\x8D\x9D", 5));

  ServerEntry& hidden = table.entries[2];
  fill(hidden.server, std::string_view("\0after the zero", 15));
  fill(hidden.userName, "secret-user-name");
  fill(hidden.password, "long-password-19chr");

  table.entries[3] = rawEntry([](std::size_t i) { return static_cast<std::uint8_t>(i * 37 + 1); });
  table.entries[4] = rawEntry([](std::size_t) { return std::uint8_t{0xFF}; });
  table.entries[5] = rawEntry([](std::size_t i) { return static_cast<std::uint8_t>(0x80 + i); });
  return table;
}

// Everything the reader restores, apart from the two pseudo-random bytes.
void expectSameTable(const ServerTable& actual, const ServerTable& expected) {
  auto a = bytes(actual);
  auto e = bytes(expected);
  a[24] = e[24];
  a[25] = e[25];
  for (std::size_t i = 0; i < kEntryCount; ++i) {
    EXPECT_EQ(hex(entryBytes(actual.entries[i])), hex(entryBytes(expected.entries[i])))
        << "position " << i + 1;
  }
  EXPECT_EQ(hex(a), hex(e));
}

class ExportImportTest : public ScitoolTest {
 protected:
  void SetUp() override {
    ScitoolTest::SetUp();
    writeConfig();
  }

  void roundTrip(const ServerTable& table) {
    writeList("original.bin", table);
    const RunResult exported = run({"export", "original.bin", "-o", "list.json"});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    const RunResult imported = run({"import", "list.json", "-o", "copy.bin"});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    expectSameTable(readList("copy.bin"), readList("original.bin"));
  }

  // Imports one entry at position 7 and returns what the file holds there.
  ServerEntry importOne(const json& entry) {
    json doc = {{"formatVersion", 1}, {"entries", json::array({entry})}};
    doc["entries"][0]["position"] = 7;
    writeText("one.json", doc.dump());
    const RunResult r = run({"import", "one.json", "-o", "one.bin"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return readList("one.bin").entries[6];
  }
};

TEST_F(ExportImportTest, RoundTripOfAnEditorWrittenList) {
  ServerTable table = sampleTable();
  table.preamble[26] = 0x55;
  roundTrip(table);
}

TEST_F(ExportImportTest, RoundTripKeepsOddBytesOfAForeignList) { roundTrip(foreignTable()); }

TEST_F(ExportImportTest, ExportCarriesUtf8TextsAndRawBytes) {
  writeList("list.bin", sampleTable());
  const RunResult r = run({"export", "list.bin"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const json doc = json::parse(r.out);
  EXPECT_EQ(doc["formatVersion"], 1);
  const std::string preamble = doc["preamble"];
  EXPECT_EQ(preamble.substr(42, 6), "138F8E");
  ASSERT_EQ(doc["entries"].size(), kEntryCount);
  const json& cafe = doc["entries"][2];
  EXPECT_EQ(cafe["server"], "Café € server");
  EXPECT_EQ(cafe["userName"], "josé");
  EXPECT_EQ(cafe["password"], "pässwort");
  EXPECT_EQ(cafe["raw"], hex(entryBytes(sampleTable().entries[2])));
  EXPECT_EQ(doc["entries"][1]["empty"], true);
  EXPECT_EQ(doc["entries"][1]["userName"], "");

  const RunResult toFile = run({"export", "list.bin", "-o", "list.json"});
  ASSERT_EQ(toFile.exitCode, 0) << toFile.err;
  EXPECT_EQ(toFile.out, "list.json: written\n");
  EXPECT_EQ(readText("list.json"), r.out);
}

struct StoreCase {
  const char* name;
  json given;  // without position and raw
  ServerEntry expected;
};

class ImportStores : public ExportImportTest, public ::testing::WithParamInterface<StoreCase> {};

TEST_P(ImportStores, LikeTheEditorsStoreOnAnEmptySlot) {
  const ServerEntry actual = importOne(GetParam().given);
  EXPECT_EQ(hex(entryBytes(actual)), hex(entryBytes(GetParam().expected)));
}

const std::string kKey = "01 23 45 67 89 AB CD EF 01 23 45 67 89 AB";

INSTANTIATE_TEST_SUITE_P(
    Entries, ImportStores,
    ::testing::Values(StoreCase{"Plain",
                                {{"server", "vpn.example.com"},
                                 {"port", 8443},
                                 {"key", kKey},
                                 {"userName", "admin"},
                                 {"password", "s3cret"}},
                                editorStored("vpn.example.com", 8443, kKey, "admin", "s3cret")},
                      StoreCase{"NonAsciiAndKeyWithoutBlanks",
                                {{"server", "Café € server"},
                                 {"port", 21},
                                 {"key", "0f0e0d0c0b0a0908070605040302"},
                                 {"userName", "josé"},
                                 {"password", "pässwort"}},
                                editorStored("Caf\xE9 \x80 server", 21,
                                             "0F 0E 0D 0C 0B 0A 09 08 07 06 05 04 03 02", "jos\xE9",
                                             "p\xE4sswort")},
                      StoreCase{
                          "UntypedKeyAndPortKeepWhatTheSlotShows",
                          {{"server", "10.1.2.3:8080"}, {"userName", "u"}, {"password", "pass"}},
                          editorStored("10.1.2.3:8080", 0, formatKey(DefaultEntry()), "u", "pass")},
                      StoreCase{"LongestTextsTheEditorTakes",
                                {{"server", std::string(31, 'S')},
                                 {"port", 4294967295u},
                                 {"key", "00 00 00 00 00 00 00 00 00 00 00 00 00 01"},
                                 {"userName", std::string(12, 'U')},
                                 {"password", std::string(11, 'P')}},
                                editorStored(std::string(31, 'S'), 4294967295u,
                                             "00 00 00 00 00 00 00 00 00 00 00 00 00 01",
                                             std::string(12, 'U'), std::string(11, 'P'))}),
    [](const auto& info) { return info.param.name; });

TEST_F(ExportImportTest, ChangedEntryWithRawBytesIsStoredOverThem) {
  const ServerEntry raw = foreignTable().entries[1];  // "short", junk after terminators
  const ServerEntry actual = importOne({{"raw", hex(entryBytes(raw))},
                                        {"server", "server.example"},
                                        {"userName", "bob"},
                                        {"password", "pass1"}});
  ServerEntry expected = raw;
  storeFields(expected, "server.example", raw.port(), formatKey(raw), "bob", "pass1");
  EXPECT_EQ(hex(entryBytes(actual)), hex(entryBytes(expected)));
}

TEST_F(ExportImportTest, UnchangedEntryKeepsItsBytesEvenWhenTheEditorWouldRefuseThem) {
  ServerEntry raw = foreignTable().entries[2];  // empty server, hidden user name
  const ServerEntry actual = importOne({{"raw", hex(entryBytes(raw))},
                                        {"server", ""},
                                        {"userName", ""},
                                        {"password", "long-password-19chr"}});
  EXPECT_EQ(hex(entryBytes(actual)), hex(entryBytes(raw)));
}

TEST_F(ExportImportTest, HeaderComesFromTheConfigAndPreambleTailFromTheJson) {
  const json doc = {{"formatVersion", 1},
                    {"preamble", std::string(52, 'F') + "abcd"},
                    {"entries", json::array()}};
  writeText("in.json", doc.dump());
  const RunResult r = run({"import", "in.json", "--config", "IPConfig.cfg", "-o", "out.bin"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto file = readBytes("out.bin");
  ASSERT_EQ(file.size(), kServerListSize);
  EXPECT_EQ(hex({file.data(), 4}), "D4C3B2A1");
  EXPECT_EQ(hex({file.data() + 14, 4}), "7E003412");
  const ServerTable table = readList("out.bin");
  EXPECT_EQ(hex(table.preamble).substr(0, 48), std::string(42, '0') + "138F8E");
  EXPECT_EQ(hex(table.preamble).substr(52), "ABCD");
  for (const ServerEntry& entry : table.entries) EXPECT_EQ(entry, DefaultEntry());
}

TEST_F(ExportImportTest, ImportReadsStandardInput) {
  writeList("original.bin", sampleTable());
  const RunResult exported = run({"export", "original.bin"});
  ASSERT_EQ(exported.exitCode, 0) << exported.err;
  const RunResult imported = run({"import", "-", "-o", "copy.bin"}, exported.out);
  ASSERT_EQ(imported.exitCode, 0) << imported.err;
  EXPECT_EQ(imported.out,
            "copy.bin: written (0 positions stored, 20 kept byte for byte, 0 not given)\n");
  expectSameTable(readList("copy.bin"), readList("original.bin"));
}

}  // namespace
}  // namespace sci::test
