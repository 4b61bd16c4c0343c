// Every command that writes reports a target it cannot write, exits 1 and
// leaves nothing behind.

#include <gmock/gmock.h>
#include <unistd.h>

#include <cctype>

#include "tests/SystemForTests.h"
#include "tests/cli/ScitoolFixture.h"

namespace sci::test {
namespace {

class WriteFailure : public ScitoolTest,
                     public ::testing::WithParamInterface<std::vector<std::string>> {
 protected:
  void SetUp() override {
    ScitoolTest::SetUp();
    writeConfig();
    writeList("list.bin", sampleTable());
    writeText("in.json", R"({"formatVersion": 1, "entries": []})");
    std::filesystem::create_directory(path("folder"));
  }
};

TEST_P(WriteFailure, ReportsTheTargetAndExitsWithOne) {
  for (const auto& [target, reason] :
       {std::pair<std::string, std::string>{"missing/out", pathNotFoundText()},
        {"folder", isAFolderText()}}) {
    std::vector<std::string> args = GetParam();
    args.insert(args.end(), {"-o", target});
    const RunResult r = run(args);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "scitool: " + target + ": cannot write: " + reason + "\n");
  }
  EXPECT_TRUE(std::filesystem::is_empty(path("folder")));
}

INSTANTIATE_TEST_SUITE_P(Commands, WriteFailure,
                         ::testing::Values(std::vector<std::string>{"export", "list.bin"},
                                           std::vector<std::string>{"import", "in.json"},
                                           std::vector<std::string>{
                                               "config", "create", "--title", "T", "--value16", "1",
                                               "--value32", "1", "--value8", "1"}),
                         [](const auto& info) { return info.param[0]; });

// Results that cannot reach standard output, here a full disk behind the
// redirection, make the run fail instead of reporting success.
class StandardOutputFailure : public WriteFailure {};

TEST_P(StandardOutputFailure, IsReportedAndExitsWithOne) {
  if (::access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no writable /dev/full";
  stdoutTarget = "/dev/full";
  const RunResult r = run(GetParam());
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_THAT(r.err, ::testing::StartsWith("scitool: standard output: cannot write"));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, StandardOutputFailure,
    ::testing::Values(std::vector<std::string>{"export", "list.bin"},
                      std::vector<std::string>{"show", "list.bin"},
                      std::vector<std::string>{"show", "list.bin", "--json"},
                      std::vector<std::string>{"check", "list.bin", kDeviceConfigFileName},
                      std::vector<std::string>{"config", "show", kDeviceConfigFileName},
                      std::vector<std::string>{"import", "in.json", "-o", "out.bin"},
                      std::vector<std::string>{"--help"}),
    [](const auto& info) {
      std::string name;
      for (const std::string& arg : info.param) {
        for (const char c : arg) {
          if (std::isalnum(static_cast<unsigned char>(c))) name += c;
        }
      }
      return name;
    });

}  // namespace
}  // namespace sci::test
