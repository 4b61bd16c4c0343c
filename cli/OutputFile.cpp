#include "cli/OutputFile.h"

#include <fmt/format.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "cli/Arguments.h"
#include "cli/NewFileAccess.h"
#include "cli/SameFile.h"
#include "cli/StandardStreams.h"
#include "cli/TerminalText.h"
#include "data/AtomicWrite.h"
#include "data/FileError.h"
#include "data/OpenForReading.h"
#include "data/SystemError.h"

namespace sci {

std::string runOutputWrite(const std::string& path, const std::function<FileResult()>& write,
                           NewFileAccess access) {
  const NewFileAccessScope scope(access);
  try {
    setLastSystemError(0);
    if (write() == FileResult::Ok) return {};
    // A folder as target is refused without a failing call to report.
    const int error = lastSystemError();
    std::error_code ignored;
    const int reason =
        std::filesystem::is_directory(argumentPath(path), ignored) ? folderError() : error;
    return reason != 0 ? "cannot write: " + systemErrorText(reason) : "cannot write (abort!)";
  } catch (const FileError& e) {
    return e.userMessage();
  }
}

std::string writeOutput(const std::string& output, std::span<const std::uint8_t> content,
                        OutputContent kind, NewFileAccess access) {
  if (!namesStandardStream(output)) {
    return runOutputWrite(
        output,
        [&] { return writeFileAtomically(argumentPath(output), content, WriteOps::system()); },
        access);
  }
  if (kind == OutputContent::Binary && standardOutputIsTerminal()) {
    return "refused: standard output is a terminal; redirect it to a file or a pipe";
  }
  // A failed write is found and reported with the system's reason when
  // standard output is flushed at the end of the run.
  if (kind == OutputContent::Binary) {
    std::fwrite(content.data(), 1, content.size(), stdout);
  } else {
    writeText(stdout,
              std::string_view(reinterpret_cast<const char*>(content.data()), content.size()));
  }
  return {};
}

std::string sameFileRefusal(const std::string& output, const std::vector<std::string>& inputs) {
  if (namesStandardStream(output)) return {};
  for (const std::string& input : inputs) {
    const bool same =
        namesStandardStream(input) ? standardInputIs(output) : sameFile(input, output);
    if (!same) continue;
    const std::string what =
        namesStandardStream(input) ? std::string("standard input") : "the input " + input;
    return fmt::format("refused: this is {}, which writing would replace; nothing written", what);
  }
  return {};
}

void reportWritten(const std::string& output, const std::string& detail) {
  if (namesStandardStream(output)) {
    std::fflush(stdout);
    fmt::print(stderr, "scitool: standard output: written{}\n", detail);
    return;
  }
  fmt::print("{}: written{}\n", printableName(output), detail);
}

}  // namespace sci
