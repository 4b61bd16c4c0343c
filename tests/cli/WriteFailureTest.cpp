// Every command that writes reports a target it cannot write, exits 1 and
// leaves nothing behind.

#include <gmock/gmock.h>

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
       {std::pair<std::string, std::string>{"missing/out", "No such file or directory"},
        {"folder", "Is a directory"}}) {
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

}  // namespace
}  // namespace sci::test
