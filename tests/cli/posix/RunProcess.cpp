#include "tests/cli/RunProcess.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace sci::test {

int runProcess(const ProcessRun& run) {
  std::vector<std::string> argv = run.argv;
  std::vector<char*> cargv;
  for (std::string& a : argv) cargv.push_back(a.data());
  cargv.push_back(nullptr);

  const pid_t pid = ::fork();
  if (pid == 0) {
    const int in = ::open(run.input.c_str(), O_RDONLY);
    const int out = ::open(run.output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open(run.error.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || out < 0 || err < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 ||
        ::dup2(err, 2) < 0 || ::chdir(run.workDir.c_str()) != 0) {
      ::_exit(127);
    }
    // The alarm outlives exec: a program that hangs is killed and the test
    // fails with exit code 128 + SIGALRM instead of never ending.
    ::alarm(run.timeoutSeconds);
    ::execv(cargv[0], cargv.data());
    ::_exit(127);
  }
  int status = 0;
  if (pid < 0 || ::waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace sci::test
