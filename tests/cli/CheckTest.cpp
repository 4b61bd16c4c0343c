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
            {"short.bin", "Length Error! (4123 bytes found, 52 or 4124 expected)"},
            {"corrupt.cfg", "check data error!"},
            {"notes.txt", "Length Error! (5 bytes found, 52 or 4124 expected)"},
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
    const std::string expected = args[0] == "check"                           ? "52 or 4124"
                                 : args[0] == "config" || args[0] == "import" ? "52"
                                                                              : "4124";
    const std::string reason =
        "pipe.bin: Length Error! (not a regular file, " + expected + " bytes expected)\n";
    if (args[0] == "check") {
      EXPECT_EQ(r.out, reason);
    } else {
      EXPECT_EQ(r.err, "scitool: " + reason);
    }
  }
  EXPECT_FALSE(std::filesystem::exists(path("out.bin")));
}

TEST_F(CheckTest, DevicesAreRefusedWithoutWaiting) {
  const std::string null = nullDevice().string();
  const std::string other = otherDevice().string();
  const RunResult checked = run({"check", null, other});
  EXPECT_EQ(checked.exitCode, 1);
  const std::string noLength = ": Length Error! (not a regular file, 52 or 4124 bytes expected)\n";
  EXPECT_EQ(checked.out, null + noLength + other + noLength);
  const RunResult shown = run({"show", other});
  EXPECT_EQ(shown.exitCode, 1);
  EXPECT_EQ(shown.err,
            "scitool: " + other + ": Length Error! (not a regular file, 4124 bytes expected)\n");
}

std::string joined(const std::vector<CheckedFile>& batch, char separator) {
  std::string text;
  for (const auto& file : batch) text += file.name + separator;
  return text;
}

std::string verdicts(const std::vector<CheckedFile>& batch) {
  std::string text;
  for (const auto& file : batch) text += file.name + ": " + file.verdict + "\n";
  return text;
}

// Names from a list file, from standard input, newline- or NUL-separated,
// after those on the command line; blank lines and a missing last
// separator change nothing.
TEST_F(CheckTest, FilesFromAListGiveTheSameVerdictsAsArguments) {
  const auto batch = makeBatch();
  // Built by appending: GCC 12 warns falsely (-Wrestrict) on "\n" + string.
  std::string lineNames = "\n";
  lineNames += joined(batch, '\n');
  lineNames += '\n';
  writeText("names.txt", lineNames);
  std::string nulNames = joined(batch, '\0');
  nulNames.pop_back();
  writeText("names.nul", nulNames);
  struct Case {
    std::vector<std::string> args;
    std::string stdinText;
  };
  const Case cases[] = {
      {{"check", "--files-from", "names.txt"}, ""},
      {{"check", "--files-from", "-"}, joined(batch, '\n')},
      {{"check", "--files-from=names.nul", "-0"}, ""},
      {{"check", "-0", "--files-from", "-"}, joined(batch, '\0')},
  };
  for (const auto& [args, stdinText] : cases) {
    SCOPED_TRACE(testing::PrintToString(args));
    const RunResult r = run(args, stdinText);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, verdicts(batch));
    EXPECT_EQ(r.err, "");
  }
  const RunResult both = run({"check", "good.bin", "--files-from", "-"}, "IPConfig.cfg\n");
  EXPECT_EQ(both.exitCode, 0) << both.err;
  EXPECT_EQ(both.out, "good.bin: OK\nIPConfig.cfg: OK\n");
}

// Only NUL separation can carry a name with a newline; it is checked as one
// file and printed escaped, so it cannot forge a line.
TEST_F(CheckTest, NulSeparatedNamesMayHoldNewlines) {
  if (const auto whyNot = fileNamesAreNotBytes()) GTEST_SKIP() << *whyNot;
  writeList("good.bin", sampleTable());
  const std::string forged = "x\ngood.bin: OK\ny.bin";
  writeText(forged, "not a list");
  const RunResult r = run({"check", "-0", "--files-from", "-"}, forged + '\0' + "good.bin" + '\0');
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out,
            "x\\x0Agood.bin: OK\\x0Ay.bin: Length Error! (10 bytes found, 52 or 4124 expected)\n"
            "good.bin: OK\n");
}

TEST_F(CheckTest, UnreadableListIsReportedAfterTheNamesBeforeIt) {
  writeList("good.bin", sampleTable());
  const RunResult missing = run({"check", "good.bin", "--files-from", "missing.txt"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.out, "good.bin: OK\n");
  EXPECT_EQ(missing.err, "scitool: missing.txt: cannot open: " + notFoundText() + "\n");

  std::filesystem::create_directory(path("folder"));
  const RunResult folder = run({"check", "--files-from", "folder"});
  EXPECT_EQ(folder.exitCode, 1);
  // POSIX opens the folder and fails to read it; Windows fails to open it.
  EXPECT_THAT(folder.err, testing::AllOf(testing::StartsWith("scitool: folder: cannot "),
                                         testing::EndsWith(": " + isAFolderText() + "\n")));
}

}  // namespace
}  // namespace sci::test
