// `scitool check --files-from -` with a writer that keeps the list open:
// POSIX pipes and processes, so this part runs on POSIX only.

#include <fcntl.h>
#include <gmock/gmock.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>

#include "tests/cli/ScitoolFixture.h"

namespace sci::test {
namespace {

using CheckStreamingTest = ScitoolTest;

// Each name is checked as soon as it is read, not once the list is
// complete: the verdict for the first name arrives while the list is still
// open. (A list kept whole first would also grow with every name.)
TEST_F(CheckStreamingTest, FilesFromChecksEachNameAsItArrives) {
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

// Stopped by Ctrl-C or SIGTERM while it waits for more names, check ends
// between two lines and says on stderr how far it got. Its output goes to
// a file, where a killed run would leave a partly written line.
class CheckInterrupted : public ScitoolTest, public ::testing::WithParamInterface<int> {};

TEST_P(CheckInterrupted, EndsWithWholeLinesAndSaysHowManyNamesWereChecked) {
  const int signal = GetParam();
  writeList("good.bin", sampleTable());
  int toTool[2];
  ASSERT_EQ(::pipe2(toTool, O_CLOEXEC), 0);
  const std::string dir = path("").string();
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::chdir(dir.c_str()) != 0 || ::dup2(toTool[0], 0) < 0 ||
        ::dup2(::open("out.txt", O_WRONLY | O_CREAT | O_TRUNC, 0600), 1) < 0 ||
        ::dup2(::open("err.txt", O_WRONLY | O_CREAT | O_TRUNC, 0600), 2) < 0) {
      ::_exit(127);
    }
    ::alarm(30);
    ::execl(SCITOOL_PATH, SCITOOL_PATH, "check", "good.bin", "--files-from", "-",
            static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(toTool[0]);
  // Many names, so that the output is well beyond one buffer and a run
  // killed in the middle would cut a line.
  std::string names;
  for (int i = 0; i < 3000; ++i) names += "good.bin\nmissing.bin\n";
  ASSERT_EQ(::write(toTool[1], names.data(), names.size()), static_cast<ssize_t>(names.size()));
  // Once every name is checked the tool waits for more.
  const std::size_t allLines = 1 + 3000 * 2;
  const auto lineCount = [&] {
    const std::string out = readText("out.txt");
    return static_cast<std::size_t>(std::count(out.begin(), out.end(), '\n'));
  };
  for (int waited = 0; waited < 400 && lineCount() < allLines; ++waited) ::usleep(50000);
  ASSERT_EQ(::kill(pid, signal), 0);
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ::close(toTool[1]);
  ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 128 + signal);

  const std::string out = readText("out.txt");
  ASSERT_FALSE(out.empty());
  EXPECT_EQ(out.back(), '\n');
  EXPECT_EQ(lineCount(), allLines);
  EXPECT_EQ(readText("err.txt"),
            "scitool: check: interrupted (" + std::string(signal == SIGINT ? "SIGINT" : "SIGTERM") +
                ") after " + std::to_string(allLines) + " names were checked\n");
}

INSTANTIATE_TEST_SUITE_P(Signals, CheckInterrupted, ::testing::Values(SIGINT, SIGTERM),
                         [](const auto& info) {
                           return std::string(info.param == SIGINT ? "SIGINT" : "SIGTERM");
                         });

// A CR is an ordinary character of a file name here: a list with CR LF
// line ends names files whose names end in a CR (Windows drops it).
TEST_F(CheckStreamingTest, CarriageReturnsInANameListArePartOfTheName) {
  writeList("good.bin", sampleTable());
  writeList("good.bin\r", sampleTable());
  const RunResult r = run({"check", "--files-from", "-"}, "good.bin\r\ngood.bin\n");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "good.bin\\x0D: OK\ngood.bin: OK\n");
}

// A server list or configuration written to a terminal would show as
// garbage and could drive the terminal.
TEST_F(CheckStreamingTest, BinaryOutputIsNeverWrittenToATerminal) {
  writeConfig("IPConfig.cfg");
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ASSERT_EQ(::grantpt(master), 0);
  ASSERT_EQ(::unlockpt(master), 0);
  const std::string terminal = ::ptsname(master);
  const std::string dir = path("").string();
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int tty = ::open(terminal.c_str(), O_WRONLY);
    const int err = ::open((dir + "/err.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (tty < 0 || err < 0 || ::dup2(tty, 1) < 0 || ::dup2(err, 2) < 0 ||
        ::chdir(dir.c_str()) != 0) {
      ::_exit(127);
    }
    ::alarm(30);
    ::execl(SCITOOL_PATH, SCITOOL_PATH, "config", "create", "--title", "T", "--value16", "1",
            "--value32", "2", "--value8", "3", "-o", "-", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ::close(master);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(readText("err.txt"),
            "scitool: -: refused: standard output is a terminal; redirect it to a file or a "
            "pipe\n");
}

}  // namespace
}  // namespace sci::test
