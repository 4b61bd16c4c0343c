// `scitool check`: one verdict line per file in the editor's words, in the
// order given, and exit 1 when any file is bad.

#include <gmock/gmock.h>

#include <filesystem>

#include "data/ServerListFile.h"
#include "tests/SystemForTests.h"
#include "tests/cli/ScitoolFixture.h"

namespace sci::test {
namespace {

struct CheckedFile {
  std::string name;
  std::string verdict;
};

class CheckTest : public ScitoolTest {
 protected:
  // Makes each kind of file once; returns the verdicts check must give.
  std::vector<CheckedFile> makeBatch() {
    writeList("good.bin", sampleTable());
    writeConfig("IPConfig.cfg");
    auto list = readBytes("good.bin");
    list[kHeaderSize + 100] ^= 0x40;
    writeBytes("corrupt.bin", list);
    list.pop_back();
    writeBytes("short.bin", list);
    auto config = readBytes("IPConfig.cfg");
    config[5] ^= 0x01;
    writeBytes("corrupt.cfg", config);
    writeText("notes.txt", "hello");
    std::filesystem::create_directory(path("folder.bin"));
    return {{"good.bin", "OK"},
            {"corrupt.bin", "Check data error!"},
            {"IPConfig.cfg", "OK"},
            {"short.bin", "Length Error!"},
            {"corrupt.cfg", "check data error!"},
            {"notes.txt", "Length Error!"},
            {"missing.bin", "cannot open: " + notFoundText()},
            {"folder.bin", "cannot open: " + isAFolderText()},
            {"good.bin", "OK"}};
  }
};

TEST_F(CheckTest, ReportsEveryFileInOrderAndFailsIfAnyIsBad) {
  const auto batch = makeBatch();
  std::vector<std::string> args{"check"};
  std::string expected;
  for (const auto& file : batch) {
    args.push_back(file.name);
    expected += file.name + ": " + file.verdict + "\n";
  }
  const RunResult r = run(args);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, expected);
  EXPECT_EQ(r.err, "");
}

// A path such as /x/list.bin names a file on every system (on Windows one
// rooted at the current drive), never a Windows-style "/option".
TEST_F(CheckTest, PathsStartingWithASlashAreFiles) {
  const RunResult r = run({"check", "/no-such-folder/list.bin"});
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_THAT(r.out, testing::StartsWith("/no-such-folder/list.bin: cannot open: "));
}

TEST_F(CheckTest, SucceedsWhenEveryFileIsGood) {
  makeBatch();
  const RunResult r = run({"check", "good.bin", "IPConfig.cfg", "good.bin"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "good.bin: OK\nIPConfig.cfg: OK\ngood.bin: OK\n");
}

// Pipes and devices have no length to check: every reading command refuses
// them at once, and a pipe nobody writes to must not make the tool wait.
TEST_F(CheckTest, PipesAreRefusedWithoutWaiting) {
  if (const auto whyNot = makeFifo(path("pipe.bin"))) GTEST_SKIP() << *whyNot;
  writeList("good.bin", sampleTable());
  const std::vector<std::vector<std::string>> commands = {
      {"check", "pipe.bin"},
      {"show", "pipe.bin"},
      {"export", "pipe.bin"},
      {"config", "show", "pipe.bin"},
      {"import", "-", "--config", "pipe.bin", "-o", "out.bin"},
  };
  for (const auto& args : commands) {
    SCOPED_TRACE(testing::PrintToString(args));
    const RunResult r = run(args, "{\"formatVersion\": 1, \"entries\": []}");
    EXPECT_EQ(r.exitCode, 1);
    if (args[0] == "check") {
      EXPECT_EQ(r.out, "pipe.bin: Length Error!\n");
    } else {
      EXPECT_EQ(r.err, "scitool: pipe.bin: Length Error!\n");
    }
  }
  EXPECT_FALSE(std::filesystem::exists(path("out.bin")));
}

TEST_F(CheckTest, DevicesAreRefusedWithoutWaiting) {
  const std::string null = nullDevice().string();
  const std::string other = otherDevice().string();
  const RunResult checked = run({"check", null, other});
  EXPECT_EQ(checked.exitCode, 1);
  EXPECT_EQ(checked.out, null + ": Length Error!\n" + other + ": Length Error!\n");
  const RunResult shown = run({"show", other});
  EXPECT_EQ(shown.exitCode, 1);
  EXPECT_EQ(shown.err, "scitool: " + other + ": Length Error!\n");
}

}  // namespace
}  // namespace sci::test
