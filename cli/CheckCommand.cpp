#include <fmt/format.h>

#include <array>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/EditorWords.h"
#include "cli/Interruption.h"
#include "cli/NameList.h"
#include "cli/SmallFileReader.h"
#include "cli/StandardStreams.h"
#include "cli/TerminalText.h"
#include "data/DeviceConfig.h"
#include "data/FixedSizeRead.h"
#include "data/OpenForReading.h"
#include "data/ServerListFile.h"
#include "data/SystemError.h"
#include "data/SystemFile.h"

namespace sci {
namespace {

// A 52-byte file can only be a device configuration; anything else is
// judged as a server list.
std::string checkFile(const std::string& path) {
  const SmallFile file = readSmallFile(path, {kDeviceConfigSize, kServerListSize});
  if (!file.failure.empty()) return file.failure;
  if (file.bytes.size() == kDeviceConfigSize) {
    DeviceConfig config;
    return deviceConfigResultText(decodeDeviceConfig(file.bytes, config));
  }
  static ServerTable table{};
  return serverListResultText(decodeServerList(file.bytes, table));
}

// What a run has done so far. Output goes out in whole lines only: a run
// stopped by a signal ends between two of them.
struct Progress {
  bool allGood = true;
  unsigned long long checked = 0;
};

void checkAndPrint(const std::string& path, Progress& progress) {
  const std::string failure = checkFile(path);
  fmt::print("{}: {}\n", printableName(path), failure.empty() ? "OK" : failure);
  if (!failure.empty()) progress.allGood = false;
  ++progress.checked;
}

// Hands out the names of a list one at a time from a fixed buffer, so a
// list of any length needs no more memory than its longest name.
class NameReader {
 public:
  NameReader(NativeFile file, char separator) : file_(file), separator_(separator) {}

  // False at the end of the list, on a read failure (error() then holds
  // the system's reason) or once interrupted. A last name without a
  // separator still counts.
  bool next(std::string& name) {
    name.clear();
    for (;;) {
      if (next_ == end_) {
        // The read may wait for a writer (find, a terminal): the verdicts so
        // far must be out before it does. Read from a file, that is one
        // flush per buffer of names, not one per name.
        std::fflush(stdout);
        const ssize_t n = read_(file_, buffer_.data(), buffer_.size());
        if (interruptionSignal() != 0) return false;
        if (n < 0 && interruptedCall(lastSystemError())) continue;
        if (n < 0) error_ = lastSystemError();
        if (n <= 0) return !name.empty();
        next_ = buffer_.data();
        end_ = next_ + n;
      }
      const auto* stop = static_cast<const char*>(std::memchr(next_, separator_, end_ - next_));
      name.append(next_, stop ? stop : end_);
      next_ = stop ? stop + 1 : end_;
      if (stop) return true;
    }
  }
  int error() const { return error_; }

 private:
  NativeFile file_;
  char separator_;
  ReadCall read_ = systemRead();
  std::array<char, 65536> buffer_;
  const char* next_ = nullptr;
  const char* end_ = nullptr;
  int error_ = 0;
};

// Checks each name as soon as it is read. Empty names (a blank line, a
// trailing separator) name no file and are passed over. "" when the whole
// list was read, else the reason.
std::string checkListed(NativeFile file, char separator, Progress& progress) {
  NameReader reader(file, separator);
  std::string path;
  while (interruptionSignal() == 0 && reader.next(path)) {
    if (separator == '\n') trimNameListLineEnd(path);
    if (!path.empty()) checkAndPrint(path, progress);
  }
  return reader.error() != 0 ? cannotReadText(reader.error()) : std::string();
}

int interrupted(int signal, const Progress& progress) {
  std::fflush(stdout);
  fmt::print(stderr, "scitool: check: interrupted ({}) after {} {} checked\n",
             signal == SIGTERM ? "SIGTERM" : "SIGINT", progress.checked,
             progress.checked == 1 ? "name was" : "names were");
  return 128 + signal;
}

}  // namespace

int runCheck(const CheckOptions& options) {
  const InterruptionScope interruptions;
  Progress progress;
  for (const std::string& path : options.paths) {
    if (interruptionSignal() != 0) break;
    checkAndPrint(path, progress);
  }
  if (!options.filesFrom.empty()) {
    const bool standardInput = namesStandardStream(options.filesFrom);
    SystemFile opened;
    if (!standardInput) {
      int error = 0;
      opened = openNameList(options.filesFrom, error);
      if (!opened) {
        reportFailure(options.filesFrom, cannotOpenText(error));
        return kExitRefused;
      }
    }
    const std::string failure = checkListed(standardInput ? standardInputFile() : opened.get(),
                                            options.nulSeparated ? '\0' : '\n', progress);
    if (interruptionSignal() != 0) return interrupted(interruptionSignal(), progress);
    if (!failure.empty()) {
      reportFailure(options.filesFrom, failure);
      return kExitRefused;
    }
  }
  if (interruptionSignal() != 0) return interrupted(interruptionSignal(), progress);
  return progress.allGood ? kExitOk : kExitRefused;
}

}  // namespace sci
