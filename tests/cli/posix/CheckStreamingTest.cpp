// `scitool check --files-from -` with a writer that keeps the list open:
// POSIX pipes and processes, so this part runs on POSIX only.

#include <fcntl.h>
#include <gmock/gmock.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

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

}  // namespace
}  // namespace sci::test
