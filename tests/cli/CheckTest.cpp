// `scitool check`: one verdict line per file in the editor's words, in the
// order given, and exit 1 when any file is bad.

#include <fcntl.h>
#include <gmock/gmock.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

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

// Pipes and devices have no length to check: every reading command refuses
// them at once, and a pipe nobody writes to must not make the tool wait.
TEST_F(CheckTest, PipesAndDevicesAreRefusedWithoutWaiting) {
  ASSERT_EQ(::mkfifo(path("pipe.bin").c_str(), 0600), 0);
  writeList("good.bin", sampleTable());
  const std::vector<std::vector<std::string>> commands = {
      {"check", "pipe.bin", "/dev/null", "/dev/zero"},
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
      EXPECT_EQ(r.out,
                "pipe.bin: Length Error!\n/dev/null: Length Error!\n/dev/zero: Length Error!\n");
    } else {
      EXPECT_EQ(r.err, "scitool: pipe.bin: Length Error!\n");
    }
  }
  EXPECT_FALSE(std::filesystem::exists(path("out.bin")));
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
  writeText("names.txt", "\n" + joined(batch, '\n') + "\n");
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
  writeList("good.bin", sampleTable());
  const std::string forged = "x\ngood.bin: OK\ny.bin";
  writeText(forged, "not a list");
  const RunResult r = run({"check", "-0", "--files-from", "-"}, forged + '\0' + "good.bin" + '\0');
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "x\\x0Agood.bin: OK\\x0Ay.bin: Length Error!\ngood.bin: OK\n");
}

TEST_F(CheckTest, UnreadableListIsReportedAfterTheNamesBeforeIt) {
  writeList("good.bin", sampleTable());
  const RunResult missing = run({"check", "good.bin", "--files-from", "missing.txt"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.out, "good.bin: OK\n");
  EXPECT_EQ(missing.err, "scitool: missing.txt: cannot open: No such file or directory\n");

  std::filesystem::create_directory(path("folder"));
  const RunResult folder = run({"check", "--files-from", "folder"});
  EXPECT_EQ(folder.exitCode, 1);
  EXPECT_EQ(folder.err, "scitool: folder: cannot read: Is a directory\n");
}

// Each name is checked as soon as it is read, not once the list is
// complete: the verdict for the first name arrives while the list is still
// open. (A list kept whole first would also grow with every name.)
TEST_F(CheckTest, FilesFromChecksEachNameAsItArrives) {
  writeList("good.bin", sampleTable());
  int toTool[2];
  int fromTool[2];
  ASSERT_EQ(::pipe2(toTool, O_CLOEXEC), 0);
  ASSERT_EQ(::pipe2(fromTool, O_CLOEXEC), 0);
  const std::string dir = path("").string();
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::dup2(toTool[0], 0) < 0 || ::dup2(fromTool[1], 1) < 0 || ::chdir(dir.c_str()) != 0) {
      ::_exit(127);
    }
    ::alarm(30);
    ::execl(SCITOOL_PATH, SCITOOL_PATH, "check", "--files-from", "-", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(toTool[0]);
  ::close(fromTool[1]);
  ASSERT_EQ(::write(toTool[1], "good.bin\n", 9), 9);

  std::string out;
  pollfd ready{fromTool[0], POLLIN, 0};
  while (out.find('\n') == std::string::npos && ::poll(&ready, 1, 10000) == 1) {
    char buffer[256];
    const ssize_t n = ::read(fromTool[0], buffer, sizeof buffer);
    if (n <= 0) break;
    out.append(buffer, static_cast<std::size_t>(n));
  }
  EXPECT_EQ(out, "good.bin: OK\n");
  ::close(toTool[1]);
  ::close(fromTool[0]);
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

}  // namespace
}  // namespace sci::test
