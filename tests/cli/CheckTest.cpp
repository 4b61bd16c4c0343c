// `scitool check`: one verdict line per file in the editor's words, in the
// order given, and exit 1 when any file is bad.

#include <gmock/gmock.h>

#include "data/ServerListFile.h"
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
            {"missing.bin", "cannot open: No such file or directory"},
            {"folder.bin", "cannot open: Is a directory"},
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

TEST_F(CheckTest, SucceedsWhenEveryFileIsGood) {
  makeBatch();
  const RunResult r = run({"check", "good.bin", "IPConfig.cfg", "good.bin"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "good.bin: OK\nIPConfig.cfg: OK\ngood.bin: OK\n");
}

}  // namespace
}  // namespace sci::test
