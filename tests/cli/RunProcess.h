#pragma once
// Starts a program and waits for it: the one part of the scitool tests that
// differs between systems. One implementation per platform.

#include <filesystem>
#include <string>
#include <vector>

namespace sci::test {

struct ProcessRun {
  std::vector<std::string> argv;  // program first
  std::filesystem::path workDir;
  std::filesystem::path input;   // standard input is read from here
  std::filesystem::path output;  // standard output replaces this file
  std::filesystem::path error;   // standard error replaces this file
  unsigned timeoutSeconds = 30;
};

// The program's exit code; 128 + the signal (on Windows 128 + 14, as for
// SIGALRM) when it was killed for running too long; -1 when it could not
// be started.
int runProcess(const ProcessRun& run);

}  // namespace sci::test
