// `scitool import` refuses what the editor would not store, and malformed
// JSON, naming the position and field; nothing is written then.

#include <gmock/gmock.h>

#include <nlohmann/json.hpp>

#include "tests/SystemForTests.h"
#include "tests/cli/ScitoolFixture.h"

namespace sci::test {
namespace {

using nlohmann::json;
using ::testing::HasSubstr;

const json kGood = {{"position", 4},       {"server", "vpn.example.com"},
                    {"port", 443},         {"key", "01 23 45 67 89 AB CD EF 01 23 45 67 89 AB"},
                    {"userName", "admin"}, {"password", "s3cret"}};

json withField(const char* field, json value) {
  json entry = kGood;
  entry[field] = std::move(value);
  return entry;
}

json listOf(const json& entry) { return {{"formatVersion", 1}, {"entries", json::array({entry})}}; }

struct Refusal {
  const char* name;
  std::string jsonText;
  std::string message;  // the whole stderr line after "scitool: in.json: "
};

Refusal entryRefusal(const char* name, const char* field, json value, std::string why) {
  return {name, listOf(withField(field, std::move(value))).dump(),
          "position 4: " + std::string(field) + ": " + why};
}

const std::string kKeyWhy = "must be 14 hex bytes as \"01 23 ... CD\" or 28 hex digits, not ";
const std::string kPortWhy = "must be an integer in 0..4294967295, not ";

class ImportRefusal : public ScitoolTest, public ::testing::WithParamInterface<Refusal> {
 protected:
  void SetUp() override {
    ScitoolTest::SetUp();
    writeConfig();
  }
};

TEST_P(ImportRefusal, NamesTheProblemAndWritesNothing) {
  writeText("in.json", GetParam().jsonText);
  writeText("out.bin", "previous content");
  const RunResult r = run({"import", "in.json", "-o", "out.bin"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "scitool: in.json: " + GetParam().message + "\n");
  EXPECT_EQ(readText("out.bin"), "previous content");
}

INSTANTIATE_TEST_SUITE_P(
    EditorRules, ImportRefusal,
    ::testing::Values(
        entryRefusal("ServerTooLong", "server", std::string(32, 's'), "longer than 31 characters"),
        entryRefusal("ServerTooShort", "server", "1.2.3.4",
                     "shorter than 8 characters (the editor's minimum)"),
        entryRefusal("UserNameTooLong", "userName", std::string(13, 'u'),
                     "longer than 12 characters"),
        entryRefusal("UserNameEmpty", "userName", "", "empty (the editor requires a user name)"),
        entryRefusal("PasswordTooLong", "password", std::string(12, 'p'),
                     "longer than 11 characters"),
        entryRefusal("PasswordTooShort", "password", "abc",
                     "shorter than 4 characters (the editor's minimum)"),
        // Counted in single bytes: "€" is one character in the file.
        entryRefusal("NonAsciiCountsAsOneByte", "password", "€€€",
                     "shorter than 4 characters (the editor's minimum)"),
        entryRefusal("NotSingleByte", "server", "Ωmega.example.com",
                     "\"Ωmega.example.com\" cannot be written as single-byte text"),
        entryRefusal("ZeroCharacter", "userName", std::string("ad\0min", 6),
                     "must not contain a zero character"),
        entryRefusal("TextNotString", "server", 12345678, "must be a string, not 12345678")),
    [](const auto& info) { return info.param.name; });

// The editor's fields take no control characters; a file could store an
// escape sequence that reaches every terminal showing the list.
const std::string kControlWhy = " (the editor cannot type one)";

INSTANTIATE_TEST_SUITE_P(
    ControlCharacters, ImportRefusal,
    ::testing::Values(entryRefusal("EscapeInServer", "server", "vpn\x1B]0;x\a.example.com",
                                   "control character \\x1B at character 4" + kControlWhy),
                      entryRefusal("BellInUserName", "userName", "ad\amin",
                                   "control character \\x07 at character 3" + kControlWhy),
                      entryRefusal("NewlineInPassword", "password", "pass\nword",
                                   "control character \\x0A at character 5" + kControlWhy),
                      entryRefusal("TabInPassword", "password", "\tpass",
                                   "control character \\x09 at character 1" + kControlWhy),
                      entryRefusal("DeleteInServer", "server", "vpn.example.com\x7F",
                                   "control character \\x7F at character 16" + kControlWhy)),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    KeyAndPort, ImportRefusal,
    ::testing::Values(entryRefusal("KeyTooShort", "key", "01 02", kKeyWhy + "\"01 02\""),
                      entryRefusal("KeyDoubleBlank", "key",
                                   "01  23 45 67 89 AB CD EF 01 23 45 67 89 A",
                                   kKeyWhy + "\"01  23 45 67 89 AB CD EF 01 23 45 67 89 A\""),
                      entryRefusal("KeyNotHex", "key", "0G 23 45 67 89 AB CD EF 01 23 45 67 89 AB",
                                   kKeyWhy + "\"0G 23 45 67 89 AB CD EF 01 23 45 67 89 AB\""),
                      entryRefusal("KeyOneDigitTooMany", "key", std::string(29, 'a'),
                                   kKeyWhy + "\"" + std::string(29, 'a') + "\""),
                      entryRefusal("PortNegative", "port", -1, kPortWhy + "-1"),
                      entryRefusal("PortTooLarge", "port", 4294967296ull, kPortWhy + "4294967296"),
                      entryRefusal("PortFraction", "port", 80.5, kPortWhy + "80.5"),
                      entryRefusal("PortAsText", "port", "80", kPortWhy + "\"80\"")),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Structure, ImportRefusal,
    ::testing::Values(
        Refusal{"PositionZero", listOf(withField("position", 0)).dump(),
                "entries[0]: position: must be an integer in 1..20, not 0"},
        Refusal{"PositionTwentyOne", listOf(withField("position", 21)).dump(),
                "entries[0]: position: must be an integer in 1..20, not 21"},
        Refusal{"PositionMissing", listOf(json{{"server", "x"}}).dump(),
                "entries[0]: position: missing"},
        Refusal{"PositionTwice", json{{"formatVersion", 1}, {"entries", {kGood, kGood}}}.dump(),
                "position 4: given twice"},
        Refusal{"UnknownField", listOf(withField("host", "x")).dump(),
                "position 4: host: unknown field"},
        Refusal{"RawTooShort", listOf(withField("raw", std::string(182, '0'))).dump(),
                "position 4: raw: must be 184 hex digits (92 bytes)"},
        Refusal{"RawNotHex", listOf(withField("raw", std::string(183, '0') + "x")).dump(),
                "position 4: raw: must be 184 hex digits (92 bytes)"},
        Refusal{"EmptyNotBoolean", listOf(withField("empty", "no")).dump(),
                "position 4: empty: must be true or false, not \"no\""},
        Refusal{"EmptyButServerGiven", listOf(withField("empty", true)).dump(),
                "position 4: empty: true, but the server is not empty"},
        Refusal{"NotEmptyButNoServer",
                listOf(json{{"position", 4}, {"empty", false}, {"password", "abcd"}}).dump(),
                "position 4: empty: false, but the server is empty"},
        // Printing a deeply nested value in the message used to overflow the stack.
        Refusal{"DeeplyNestedEntry",
                R"({"formatVersion": 1, "entries": [)" + std::string(200000, '[') +
                    std::string(200000, ']') + "]}",
                "entries[0]: must be an object, not an array"},
        Refusal{"TooLarge", std::string((1 << 20) + 1, ' '),
                "larger than 1 MiB, too large for a server list"},
        Refusal{"EntryNotObject", R"({"formatVersion": 1, "entries": [3]})",
                "entries[0]: must be an object, not 3"},
        Refusal{"PreambleMalformed", R"({"formatVersion": 1, "preamble": "00", "entries": []})",
                "document: preamble: must be 56 hex digits (28 bytes)"},
        Refusal{"VersionMissing", R"({"entries": []})", "formatVersion: missing"},
        Refusal{"VersionUnknown", R"({"formatVersion": 2, "entries": []})",
                "formatVersion: must be 1, not 2"},
        Refusal{"UnknownTopField", R"({"formatVersion": 1, "entries": [], "x": 1})",
                "document: x: unknown field"},
        Refusal{"DuplicateKey", R"({"formatVersion": 1, "entries": [], "entries": []})",
                "document: field \"entries\" given twice in one object"},
        // Found by fuzzing: the library throws out_of_range, not parse_error.
        Refusal{"NumberOverflow",
                R"({"formatVersion": 1, "entries": [{"position": 1, "port": 1e999}]})",
                "document: number overflow parsing '1e999'"},
        Refusal{"NotAnObject", "[]", "document: must be a JSON object"},
        Refusal{"NotJson", "{\"formatVersion\": 1,",
                "not valid JSON: parse error at line 1, column 21: syntax error while parsing "
                "object key - unexpected end of input; expected string literal"}),
    [](const auto& info) { return info.param.name; });

TEST_F(ImportRefusal, ReportsEveryRefusalOfEveryEntry) {
  json second = kGood;
  second["position"] = 9;
  second["server"] = "short";
  second["password"] = "ab";
  writeText("in.json",
            json{{"formatVersion", 1}, {"entries", {withField("port", -5), second}}}.dump());
  const RunResult r = run({"import", "in.json", "-o", "out.bin"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(
      r.err,
      "scitool: in.json: position 4: port: " + kPortWhy +
          "-5\n"
          "scitool: in.json: position 9: server: shorter than 8 characters (the editor's minimum)\n"
          "scitool: in.json: position 9: password: shorter than 4 characters (the editor's "
          "minimum)\n");
  EXPECT_FALSE(std::filesystem::exists(path("out.bin")));
}

TEST_F(ImportRefusal, BadConfigurationStopsTheImport) {
  writeText("in.json", listOf(kGood).dump());
  auto corrupt = readBytes("IPConfig.cfg");
  corrupt[40] ^= 0x01;
  writeBytes("corrupt.cfg", corrupt);
  corrupt.pop_back();
  writeBytes("short.cfg", corrupt);
  const std::pair<std::string, std::string> cases[] = {
      {"missing.cfg", "cannot open: " + notFoundText()},
      {"short.cfg", "Length Error! (51 bytes found, 52 expected)"},
      {"corrupt.cfg", "check data error!"},
  };
  for (const auto& [config, reason] : cases) {
    const RunResult r = run({"import", "in.json", "--config", config, "-o", "out.bin"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "scitool: " + config + ": " + reason + "\n");
    EXPECT_FALSE(std::filesystem::exists(path("out.bin")));
  }
}

}  // namespace
}  // namespace sci::test
