// `scitool show`: header values, the aligned table, hidden values, JSON, and
// the refusal of bad files in the editor's words.

#include <fmt/format.h>
#include <gmock/gmock.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "data/ServerListFile.h"
#include "tests/SystemForTests.h"
#include "tests/cli/ScitoolFixture.h"

namespace sci::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) result.push_back(line);
  return result;
}

// Columns a UTF-8 prefix takes on a terminal.
std::size_t columnOf(const std::string& line, std::size_t byteOffset) {
  std::size_t column = 0;
  for (std::size_t i = 0; i < byteOffset; ++i) {
    if ((static_cast<unsigned char>(line[i]) & 0xC0) != 0x80) ++column;
  }
  return column;
}

class ShowTest : public ScitoolTest {
 protected:
  void SetUp() override {
    ScitoolTest::SetUp();
    table_ = sampleTable();
    writeList("list.bin", table_);
  }
  ServerTable table_;
};

// The list's header and the configuration show the three values in one
// order, and both checksums in hex.
TEST_F(ShowTest, PrintsHeaderValuesAndChecksumAsConfigShowDoes) {
  const RunResult r = run({"show", "list.bin"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::string values = "deviceValue16:  " + std::to_string(kValue16) +
                             "\n"
                             "deviceValue32:  " +
                             std::to_string(kValue32) +
                             "\n"
                             "deviceValue8:   " +
                             std::to_string(kValue8) + "\n";
  const auto header = decodeServerListHeader(readBytes("list.bin"));
  EXPECT_THAT(
      r.out, HasSubstr(values + fmt::format("checksum:       0x{:08X}, holds\n", header.checksum)));
  writeConfig("IPConfig.cfg");
  const RunResult config = run({"config", "show", "IPConfig.cfg"});
  ASSERT_EQ(config.exitCode, 0) << config.err;
  EXPECT_THAT(config.out, HasSubstr(values + fmt::format("checksum:       0x{:08X}, holds\n",
                                                         this->config().storedSum())));
}

TEST_F(ShowTest, TableRowsAreAlignedAndShowTheEditorsValues) {
  const RunResult r = run({"show", "list.bin"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto all = lines(r.out);
  const auto heading =
      std::find_if(all.begin(), all.end(), [](const std::string& l) { return l.find("Pos") == 0; });
  ASSERT_NE(heading, all.end());
  ASSERT_EQ(all.end() - heading, 21);
  const std::size_t keyColumn = columnOf(*heading, heading->find("Key"));
  for (std::size_t i = 0; i < kEntryCount; ++i) {
    const std::string& row = heading[static_cast<long>(i) + 1];
    const std::string key = formatKey(table_.entries[i]);
    ASSERT_NE(row.find(key), std::string::npos) << row;
    EXPECT_EQ(columnOf(row, row.find(key)), keyColumn) << row;
    EXPECT_EQ(row.substr(0, 3), (i < 9 ? "  " : " ") + std::to_string(i + 1));
  }
  EXPECT_THAT(heading[1], ::testing::ContainsRegex("vpn\\.example\\.com +8443  "));
  EXPECT_THAT(heading[3], HasSubstr("Café € server"));
  EXPECT_THAT(heading[3], HasSubstr("josé"));
  EXPECT_THAT(heading[20], HasSubstr("4294967295"));
}

TEST_F(ShowTest, HidesPasswordsAndTheUserNameOfEmptySlots) {
  const std::string hiddenUser = getText(DefaultEntry().userName);
  ASSERT_FALSE(hiddenUser.empty());
  auto rowOf = [](const std::string& out, const std::string& server) {
    for (const std::string& line : lines(out)) {
      if (line.find(server) != std::string::npos) return line;
    }
    return std::string();
  };
  const RunResult masked = run({"show", "list.bin"});
  ASSERT_EQ(masked.exitCode, 0) << masked.err;
  EXPECT_THAT(masked.out, Not(HasSubstr("s3cret")));
  EXPECT_THAT(rowOf(masked.out, "vpn.example.com"), ::testing::EndsWith("admin      ****"));
  EXPECT_THAT(masked.out, Not(HasSubstr(hiddenUser)));

  const RunResult shown = run({"show", "--show-passwords", "list.bin"});
  ASSERT_EQ(shown.exitCode, 0) << shown.err;
  EXPECT_THAT(rowOf(shown.out, "vpn.example.com"), ::testing::EndsWith("admin      s3cret"));
  EXPECT_THAT(rowOf(shown.out, "Café"), ::testing::EndsWith("pässwort"));
  EXPECT_THAT(shown.out, Not(HasSubstr(hiddenUser)));
}

TEST_F(ShowTest, JsonCarriesTheSameValues) {
  const RunResult r = run({"show", "--json", "list.bin"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto doc = nlohmann::json::parse(r.out);
  EXPECT_EQ(doc["deviceValue32"], kValue32);
  EXPECT_EQ(doc["deviceValue8"], kValue8);
  EXPECT_EQ(doc["deviceValue16"], kValue16);
  EXPECT_EQ(doc["checksum"]["holds"], true);
  ASSERT_EQ(doc["entries"].size(), kEntryCount);
  const auto& third = doc["entries"][2];
  EXPECT_EQ(third["position"], 3);
  EXPECT_EQ(third["server"], "Café € server");
  EXPECT_EQ(third["userName"], "josé");
  EXPECT_EQ(third["password"], "****");
  EXPECT_EQ(third["key"], formatKey(table_.entries[2]));
  EXPECT_EQ(doc["entries"][1]["empty"], true);
  EXPECT_EQ(doc["entries"][1]["userName"], "");
}

TEST_F(ShowTest, JsonOfAFileNameThatIsNotUtf8) {
  if (const auto whyNot = fileNamesAreNotBytes()) GTEST_SKIP() << *whyNot;
  writeList("list\xFF.bin", table_);
  const RunResult r = run({"show", "--json", "list\xFF.bin"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(nlohmann::json::parse(r.out)["file"], "list\uFFFD.bin");
}

TEST_F(ShowTest, ControlCharactersFromTheFileDoNotReachTheTerminal) {
  table_.entries[4] = editorStored("evil\x1B]0;owned\x07name", 1, "", "user\x1B[2J", "pass");
  writeList("list.bin", table_);
  const RunResult r = run({"show", "--show-passwords", "list.bin"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out.find('\x1B'), std::string::npos);
  EXPECT_EQ(r.out.find('\x07'), std::string::npos);
  EXPECT_THAT(r.out, HasSubstr("evil\\x1B]0;owned\\x07name"));
}

struct BadFile {
  const char* name;
  std::size_t size;    // 0: not created
  long flippedByte;    // -1: none
  const char* reason;  // nullptr: the system's reason for a missing file
};

class ShowBadFile : public ShowTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(ShowBadFile, IsRefusedOnStderrWithExitOne) {
  const BadFile& c = GetParam();
  if (c.size != 0) {
    auto bytes = readBytes("list.bin");
    bytes.resize(c.size, 0xFF);
    if (c.flippedByte >= 0) bytes[static_cast<std::size_t>(c.flippedByte)] ^= 0x01;
    writeBytes(c.name, bytes);
  }
  for (const bool json : {false, true}) {
    std::vector<std::string> args{"show", c.name};
    if (json) args.insert(args.begin() + 1, "--json");
    const RunResult r = run(args);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    const std::string reason = c.reason ? c.reason : "cannot open: " + notFoundText();
    EXPECT_EQ(r.err, std::string("scitool: ") + c.name + ": " + reason + "\n");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ShowBadFile,
    ::testing::Values(BadFile{"short.bin", kServerListSize - 1, -1,
                              "Length Error! (4123 bytes found, 4124 expected)"},
                      BadFile{"long.bin", kServerListSize + 1, -1,
                              "Length Error! (4125 bytes found, 4124 expected)"},
                      BadFile{"flipped.bin", kServerListSize, 28 + 500, "Check data error!"},
                      BadFile{"filler.bin", kServerListSize, kServerListSize - 1,
                              "Check data error!"},
                      BadFile{"missing.bin", 0, -1, nullptr}));

}  // namespace
}  // namespace sci::test
