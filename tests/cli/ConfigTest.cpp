// `scitool config create` and `config show`: the file it writes is one the
// editor accepts, and out-of-range input is refused without writing.

#include <gmock/gmock.h>

#include <nlohmann/json.hpp>

#include "tests/cli/ScitoolFixture.h"

namespace sci::test {
namespace {

using ::testing::HasSubstr;

std::vector<std::string> createArgs(const std::string& title, const std::string& v16,
                                    const std::string& v32, const std::string& v8) {
  return {"config",    "create", "--title",  title, "--value16", v16,
          "--value32", v32,      "--value8", v8,    "-o",        "new.cfg"};
}

TEST_F(ScitoolTest, CreatedConfigurationIsAcceptedWithItsValues) {
  // 31 characters, one of them outside ASCII: 32 bytes of UTF-8 but 31 stored.
  const std::string title = "Café Device with a long title!X";
  ASSERT_EQ(title.size(), 32u);
  const RunResult r = run(createArgs(title, "65535", "4294967295", "255"));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  DeviceConfig config;
  ASSERT_EQ(decodeDeviceConfig(readBytes("new.cfg"), config), FileResult::Ok);
  EXPECT_EQ(config.title(), "Caf\xE9 Device with a long title!X");
  EXPECT_EQ(config.deviceValue16(), 65535);
  EXPECT_EQ(config.deviceValue32(), 4294967295u);
  EXPECT_EQ(config.deviceValue8(), 255);

  const RunResult shown = run({"config", "show", "--json", "new.cfg"});
  ASSERT_EQ(shown.exitCode, 0) << shown.err;
  const auto doc = nlohmann::json::parse(shown.out);
  EXPECT_EQ(doc["title"], title);
  EXPECT_EQ(doc["deviceValue16"], 65535);
  EXPECT_EQ(doc["deviceValue32"], 4294967295u);
  EXPECT_EQ(doc["deviceValue8"], 255);
  EXPECT_EQ(doc["checksum"]["holds"], true);
}

TEST_F(ScitoolTest, ConfigShowPrintsTitleValuesAndChecksum) {
  writeConfig();
  const RunResult r = run({"config", "show", kDeviceConfigFileName});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_THAT(r.out, HasSubstr("title:          Test Device\n"));
  EXPECT_THAT(r.out, HasSubstr("deviceValue16:  " + std::to_string(kValue16) + "\n"));
  EXPECT_THAT(r.out, HasSubstr("deviceValue32:  " + std::to_string(kValue32) + "\n"));
  EXPECT_THAT(r.out, HasSubstr("deviceValue8:   " + std::to_string(kValue8) + "\n"));
  EXPECT_THAT(r.out, HasSubstr("holds"));

  auto bytes = readBytes(kDeviceConfigFileName);
  bytes[0] ^= 0x20;
  writeBytes(kDeviceConfigFileName, bytes);
  const RunResult bad = run({"config", "show", kDeviceConfigFileName});
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_EQ(bad.out, "");
  EXPECT_EQ(bad.err, "scitool: " + std::string(kDeviceConfigFileName) + ": check data error!\n");
}

struct CreateRefusal {
  const char* name;
  std::vector<std::string> args;
  std::string reason;
};

class ConfigCreateRefusal : public ScitoolTest,
                            public ::testing::WithParamInterface<CreateRefusal> {};

TEST_P(ConfigCreateRefusal, WritesNothing) {
  const RunResult r = run(GetParam().args);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "scitool: new.cfg: " + GetParam().reason + "\n");
  EXPECT_FALSE(std::filesystem::exists(path("new.cfg")));
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, ConfigCreateRefusal,
    ::testing::Values(
        CreateRefusal{
            "TitleTooLong", createArgs(std::string(kDeviceTitleCapacity, 'T'), "1", "1", "1"),
            "--title: longer than " + std::to_string(kDeviceTitleCapacity - 1) + " bytes"},
        CreateRefusal{"TitleNotSingleByte", createArgs("Ωmega", "1", "1", "1"),
                      "--title: cannot be written as single-byte text"},
        CreateRefusal{"Value16TooLarge", createArgs("T", "65536", "1", "1"),
                      "--value16: must be an integer in 0..65535, not \"65536\""},
        CreateRefusal{"Value32TooLarge", createArgs("T", "1", "4294967296", "1"),
                      "--value32: must be an integer in 0..4294967295, not \"4294967296\""},
        CreateRefusal{"Value8TooLarge", createArgs("T", "1", "1", "256"),
                      "--value8: must be an integer in 0..255, not \"256\""},
        CreateRefusal{"Negative", createArgs("T", "1", "1", "-1"),
                      "--value8: must be an integer in 0..255, not \"-1\""},
        CreateRefusal{"NotANumber", createArgs("T", "0x10", "1", "1"),
                      "--value16: must be an integer in 0..65535, not \"0x10\""}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace sci::test
