#pragma once
// The editor's command line, sciedit [--config FILE] [LIST.bin]. It is read
// before any window exists, so help, version and usage errors need no display.

#include <QString>
#include <QStringList>
#include <filesystem>
#include <optional>

namespace sci {

inline constexpr int kExitUsage = 2;

struct CommandLine {
  enum class Action {
    Run,         // start the editor
    Print,       // print text to standard output and exit with 0 (help, version)
    UsageError,  // print text to standard error and exit with kExitUsage
  };
  Action action = Action::Run;
  QString text;
  // Where the device configuration is read from.
  std::filesystem::path configPath;
  // The list to open once the window is up.
  std::optional<std::filesystem::path> listPath;
};

// arguments: as QCoreApplication::arguments() gives them, the program first.
// Relative paths are taken from the current folder.
CommandLine parseCommandLine(const QStringList& arguments);

}  // namespace sci
