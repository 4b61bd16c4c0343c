// Name lists written on Windows ("dir /b > names.txt") end their lines in
// CR LF; the CR is no part of the name there.

#include <gmock/gmock.h>

#include "tests/cli/ScitoolFixture.h"

namespace sci::test {
namespace {

TEST_F(ScitoolTest, CrLfNameListsNameTheFilesWithoutTheCr) {
  writeList("good.bin", sampleTable());
  writeConfig("IPConfig.cfg");
  writeText("names.txt", "good.bin\r\nIPConfig.cfg\r\n\r\nmissing.bin\r\n");
  const RunResult r = run({"check", "--files-from", "names.txt"});
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_THAT(r.out,
              testing::StartsWith("good.bin: OK\nIPConfig.cfg: OK\nmissing.bin: cannot open"));
  // NUL-separated lists are taken as they are.
  const RunResult nul = run({"check", "-0", "--files-from", "-"}, std::string("good.bin\0", 9));
  EXPECT_EQ(nul.out, "good.bin: OK\n");
}

}  // namespace
}  // namespace sci::test
