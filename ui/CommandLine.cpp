#include "ui/CommandLine.h"

#include <string_view>
#include <system_error>

#include "ui/DialogConstants.h"
#include "ui/Version.h"

namespace sci {

namespace {

std::filesystem::path fromUtf8(std::string_view text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

bool present(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::exists(path, error);
}

// A file manager starts programs in the home folder and the Start menu in
// the user's documents, while technicians keep a model's configuration beside
// its lists, and the zip and the installer put one beside the program.
std::filesystem::path configFor(const std::optional<std::filesystem::path>& list,
                                const std::filesystem::path& programFolder) {
  const std::filesystem::path here(kDefaultConfigPath);
  if (present(here)) return here;
  if (list) {
    const std::filesystem::path besideList = list->parent_path() / kDefaultConfigPath;
    if (present(besideList)) return besideList;
  }
  if (!programFolder.empty()) {
    const std::filesystem::path besideProgram = programFolder / kDefaultConfigPath;
    if (present(besideProgram)) return besideProgram;
  }
  return here;
}

CommandLine usageError(const std::string& program, const std::string& reason) {
  CommandLine result;
  result.action = CommandLine::Action::UsageError;
  result.text = program + ": " + reason + "\nUsage: " + program +
                " [--config FILE] [LIST.bin]\nTry '" + program + " --help' for more information.\n";
  return result;
}

std::string helpText(const std::string& program) {
  return "Usage: " + program +
         " [options] [LIST.bin]\n"
         "Edit the server list of a VANTO network device.\n"
         "\n"
         "Options:\n"
         "  -h, --help       Show this help and exit.\n"
         "  -v, --version    Show the version and exit.\n"
         "  --config <FILE>  Read the device configuration from FILE instead of\n"
         "                   " +
         std::string(kDefaultConfigPath) +
         " in the current folder, else in the list's\n"
         "                   folder, else in the program's folder.\n"
         "\n"
         "Arguments:\n"
         "  LIST.bin         Server list to open once the window is up.\n";
}

std::string programName(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return "sciedit";
  const std::u8string stem = fromUtf8(arguments.front()).stem().u8string();
  return stem.empty() ? "sciedit" : std::string(stem.begin(), stem.end());
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments,
                             const std::filesystem::path& programFolder) {
  const std::string program = programName(arguments);
  bool help = false;
  bool version = false;
  std::optional<std::string> config;
  std::vector<std::string> lists;

  bool optionsEnd = false;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnd || argument.size() < 2 || argument[0] != '-') {
      lists.push_back(argument);
      continue;
    }
    if (argument == "--") {
      optionsEnd = true;
      continue;
    }
    if (argument[1] == '-') {
      const std::size_t equals = argument.find('=');
      const std::string name =
          argument.substr(2, equals == std::string::npos ? equals : equals - 2);
      if (name == "config") {
        if (equals != std::string::npos) {
          config = argument.substr(equals + 1);
        } else if (i + 1 < arguments.size()) {
          config = arguments[++i];
        } else {
          return usageError(program, "Missing value after '--config'.");
        }
      } else if (name == "help" || name == "version") {
        if (equals != std::string::npos) {
          return usageError(program, "Unexpected value after '--" + name + "'.");
        }
        (name == "help" ? help : version) = true;
      } else {
        return usageError(program, "Unknown option '" + name + "'.");
      }
      continue;
    }
    // Single-letter options may be run together, as in "-hv".
    for (std::size_t k = 1; k < argument.size(); ++k) {
      if (argument[k] == 'h') {
        help = true;
      } else if (argument[k] == 'v') {
        version = true;
      } else {
        return usageError(program, "Unknown option '" + std::string(1, argument[k]) + "'.");
      }
    }
  }

  CommandLine result;
  if (help || version) {
    result.action = CommandLine::Action::Print;
    result.text = help ? helpText(program) : program + " " + kFileVersion + "\n";
    return result;
  }
  if (lists.size() > 1) {
    std::string names;
    for (const std::string& list : lists) names += (names.empty() ? "" : ", ") + list;
    return usageError(program,
                      "one list at a time, not " + std::to_string(lists.size()) + ": " + names);
  }
  if (!lists.empty()) result.listPath = fromUtf8(lists.front());
  result.configPath = config ? fromUtf8(*config) : configFor(result.listPath, programFolder);
  result.configNamed = config.has_value();
  return result;
}

}  // namespace sci
