// File modes of what scitool creates: POSIX permissions, so this part runs
// on POSIX only (a Windows file takes its folder's access list).

#include <gmock/gmock.h>
#include <sys/stat.h>

#include "tests/cli/ScitoolFixture.h"

namespace sci::test {
namespace {

class ExportModeTest : public ScitoolTest {
 protected:
  void SetUp() override {
    ScitoolTest::SetUp();
    writeConfig();
  }
};

// The JSON holds every password in clear: a file export creates is the
// owner's alone whatever the umask lets others read, while a file that
// exists keeps the mode its owner gave it, as every save does.
TEST_F(ExportModeTest, ExportCreatesPrivateFilesAndKeepsAnExistingMode) {
  writeList("list.bin", sampleTable());
  writeText("existing.json", "{}");
  ASSERT_EQ(::chmod(path("existing.json").c_str(), 0640), 0);
  const mode_t before = ::umask(022);
  const RunResult created = run({"export", "list.bin", "-o", "new.json"});
  const RunResult replaced = run({"export", "list.bin", "-o", "existing.json"});
  ::umask(before);
  ASSERT_EQ(created.exitCode, 0) << created.err;
  ASSERT_EQ(replaced.exitCode, 0) << replaced.err;
  auto modeOf = [&](const char* name) {
    struct stat info {};
    EXPECT_EQ(::stat(path(name).c_str(), &info), 0) << name;
    return info.st_mode & 07777;
  };
  EXPECT_EQ(modeOf("new.json"), 0600u);
  EXPECT_EQ(modeOf("existing.json"), 0640u);
  EXPECT_EQ(readText("existing.json"), readText("new.json"));

  // Files other commands write stay as readable as the umask allows.
  const mode_t again = ::umask(022);
  const RunResult imported = run({"import", "new.json", "-o", "copy.bin"});
  ::umask(again);
  ASSERT_EQ(imported.exitCode, 0) << imported.err;
  EXPECT_EQ(modeOf("copy.bin"), 0644u);
}

}  // namespace
}  // namespace sci::test
