// scitool on lists and configurations whose full path is longer than the
// 260 characters of MAX_PATH: every command that reads or writes a file
// reaches it in the "\\?\" form. Wine has no such limit of its own, so
// under Wine this guards the conversion more than the limit.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "data/DeviceConfig.h"
#include "data/windows/SystemPath.h"
#include "tests/cli/ScitoolFixture.h"

namespace sci::test {
namespace {

class LongPathTest : public ScitoolTest {
 protected:
  void SetUp() override {
    ScitoolTest::SetUp();
    writeConfig();
    for (int i = 0; i < 8; ++i) {
      deep += std::string(40, 'd') + std::to_string(i) + "/";
      ASSERT_TRUE(::CreateDirectoryW(systemPath(path(deep)).c_str(), nullptr)) << ::GetLastError();
    }
  }

  std::string deep;  // relative to the working folder, with a slash at the end
};

TEST_F(LongPathTest, EveryCommandWorksPastMaxPath) {
  writeConfig(deep + kDeviceConfigFileName);
  writeList(deep + "original.bin", sampleTable());
  ASSERT_GT(path(deep + "original.bin").native().size(), std::size_t{MAX_PATH});

  const std::vector<std::vector<std::string>> commands = {
      {"export", deep + "original.bin", "-o", deep + "list.json"},
      {"import", deep + "list.json", "-o", deep + "copy.bin"},
      {"check", deep + "copy.bin", deep + kDeviceConfigFileName},
      {"show", deep + "copy.bin"},
  };
  for (const auto& command : commands) {
    const RunResult r = run(command);
    EXPECT_EQ(r.exitCode, 0) << command[0] << ": " << r.err;
  }
  EXPECT_EQ(readList(deep + "copy.bin").entries, readList(deep + "original.bin").entries);
}

}  // namespace
}  // namespace sci::test
