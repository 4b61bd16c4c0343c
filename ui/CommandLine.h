#pragma once
// The editor's command line, sciedit [--config FILE] [LIST.bin], the same
// for both front ends. It is read before any window exists, so help, version
// and usage errors need no display.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ui/ApplicationName.h"

namespace sci {

inline constexpr int kExitUsage = 2;

struct CommandLine {
  enum class Action {
    Run,         // start the editor
    Print,       // show text as information and exit with 0 (help, version)
    UsageError,  // show text as an error and exit with kExitUsage
  };
  Action action = Action::Run;
  std::string text;  // UTF-8
  // Where the device configuration is read from.
  std::filesystem::path configPath;
  // Whether the user named it with --config, so that a message about it can
  // name the file.
  bool configNamed = false;
  // The list to open once the window is up.
  std::optional<std::filesystem::path> listPath;
};

// arguments: UTF-8 (on POSIX the bytes as given), the program first.
// Relative paths are taken from the current folder. Without --config the
// configuration is the first that exists of: the current folder's, the one
// beside the list, the one in programFolder (when given).
CommandLine parseCommandLine(const std::vector<std::string>& arguments,
                             const std::filesystem::path& programFolder = {});

}  // namespace sci
