// scitool: inspect, check and build VANTO server list files and device
// configurations from the command line.

#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <system_error>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/StandardStreams.h"
#include "cli/TerminalText.h"

namespace {

constexpr const char* kDescription =
    "scitool: inspect, check and build VANTO server list files (.bin) and device\n"
    "configurations (IPConfig.cfg), byte for byte as the sciedit editor does.";

// Results that never reached standard output (a full disk behind a
// redirection) make the run a failure, whatever the command found.
int withOutputChecked(int code) {
  // A write that failed earlier left its reason in errno; a failing flush
  // now gives a fresh one.
  const int earlier = errno;
  errno = 0;
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return code;
  const int error = errno != 0 ? errno : earlier;
  sci::reportFailure("standard output",
                     error != 0 ? "cannot write: " + std::generic_category().message(error)
                                : std::string("cannot write"));
  return code == sci::kExitOk ? sci::kExitRefused : code;
}

constexpr std::size_t kHelpWidth = 80;
constexpr std::size_t kHelpColumn = 30;

// Breaks a text into lines of at most `width` characters at spaces,
// keeping the line breaks it already has.
std::string wrapped(const std::string& text, std::size_t width) {
  std::string out;
  std::size_t lineStart = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t newline = text.find('\n', start);
    const std::size_t wordEnd = std::min(text.find(' ', start), newline);
    const std::size_t end = wordEnd == std::string::npos ? text.size() : wordEnd;
    if (out.size() > lineStart && out.size() - lineStart + 1 + (end - start) > width) {
      out += '\n';
      lineStart = out.size();
    } else if (out.size() > lineStart) {
      out += ' ';
    }
    out.append(text, start, end - start);
    if (end == newline) {
      out += '\n';
      lineStart = out.size();
    }
    start = end == text.size() ? end : end + 1;
  }
  return out;
}

// CLI11 prints each description on one line however long; here they are
// wrapped to a terminal's 80 columns, continuing under their column.
class WrappingFormatter : public CLI::Formatter {
 public:
  WrappingFormatter() { column_width(kHelpColumn); }
  std::string make_option_desc(const CLI::Option* option) const override {
    return wrapped(option->get_description(), kHelpWidth - kHelpColumn);
  }
  std::string make_subcommand(const CLI::App* sub) const override {
    std::stringstream out;
    CLI::detail::format_help(out, sub->get_display_name(true),
                             wrapped(sub->get_description(), kHelpWidth - kHelpColumn),
                             get_column_width());
    return out.str();
  }
  std::string make_description(const CLI::App* app) const override {
    return wrapped(CLI::Formatter::make_description(app), kHelpWidth);
  }
};

// The edit distance between two words, for suggesting a command.
std::size_t editDistance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// CLI11 answers a word that is no command with "A subcommand is required".
// This names the word, the commands there are and the nearest of them; ""
// when the command words are all known (CLI11 then judges the rest).
std::string unknownCommandText(CLI::App& app, const std::vector<std::string>& arguments) {
  CLI::App* current = &app;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& word = arguments[i];
    const auto subs = current->get_subcommands([](CLI::App*) { return true; });
    if (word.starts_with("-") || subs.empty()) return {};
    const auto found =
        std::ranges::find_if(subs, [&](CLI::App* sub) { return sub->check_name(word); });
    if (found != subs.end()) {
      current = *found;
      continue;
    }
    std::string names;
    const CLI::App* nearest = nullptr;
    std::size_t best = 3;  // further than two edits is no longer a slip
    for (const CLI::App* sub : subs) {
      names += (names.empty() ? "" : ", ") + sub->get_name();
      const std::size_t distance = editDistance(word, sub->get_name());
      if (distance < best) {
        best = distance;
        nearest = sub;
      }
    }
    const std::string prefix = current == &app ? "" : current->get_name() + " ";
    std::string text = fmt::format("scitool: unknown command '{}{}'\ncommands: {}\n", prefix,
                                   sci::printableName(word), names);
    if (nearest) text += fmt::format("did you mean 'scitool {}{}'?\n", prefix, nearest->get_name());
    return text;
  }
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  using namespace sci;
  useBinaryStandardStreams();
  CLI::App app(kDescription, "scitool");
  app.formatter(std::make_shared<WrappingFormatter>());
  // A path such as /tmp/list.bin is a file, not a Windows-style /option;
  // CLI11 would take it for one on Windows.
  app.allow_windows_style_options(false);
  app.set_version_flag("--version", std::string("scitool ") + SCITOOL_VERSION);
  app.require_subcommand(1);
  app.footer(
      "Exit status: 0 when all is well, 1 when a file is bad, an input is refused or\n"
      "a result cannot be written, 2 for a usage error. A file named - is standard\n"
      "input or output (./- names a file called -). Run 'scitool <command> --help' for\n"
      "a command's options.");

  std::function<int()> run;

  ShowOptions show;
  auto* showCmd =
      app.add_subcommand("show", "Show a server list's header values and its 20 positions");
  showCmd->add_option("LIST", show.path, "server list file (.bin), - for standard input")
      ->required();
  showCmd->add_flag("--json", show.json, "print the same as JSON");
  showCmd->add_flag("--show-passwords", show.showPasswords, "show passwords instead of ****");
  showCmd->callback([&] { run = [&] { return runShow(show); }; });

  CheckOptions check;
  auto* checkCmd = app.add_subcommand(
      "check", "Check server lists and configurations: 'FILE: OK' or the reason");
  auto* checkFiles = checkCmd->add_option(
      "FILE", check.paths,
      "files to check; a 52-byte file is checked as a device configuration, any other as a "
      "server list; - reads one from standard input");
  auto* filesFrom = checkCmd->add_option(
      "--files-from", check.filesFrom,
      "also check the files named in LIST, one name a line (- for standard input); each is "
      "checked as it is read, so the list may be of any length");
  filesFrom->option_text("LIST");
  checkCmd
      ->add_flag("-0,--null", check.nulSeparated,
                 "names in the --files-from list end in a NUL byte instead of a newline "
                 "(as 'find -print0' writes them)")
      ->needs(filesFrom);
  checkCmd->callback([&] {
    if (checkFiles->count() == 0 && filesFrom->count() == 0) {
      throw CLI::RequiredError("FILE or --files-from");
    }
    if (namesStandardStream(check.filesFrom) &&
        std::ranges::count_if(check.paths, namesStandardStream) > 0) {
      throw CLI::ValidationError("FILE", "- and --files-from - cannot both read standard input");
    }
    run = [&] { return runCheck(check); };
  });

  std::string exportPath;
  std::string exportOutput;
  auto* exportCmd = app.add_subcommand(
      "export", "Write a server list as JSON (format: " SCITOOL_JSON_FORMAT_DOC
                "). The JSON holds "
                "every password in clear: a new output file is made readable by its owner only");
  exportCmd->add_option("LIST", exportPath, "server list file (.bin), - for standard input")
      ->required();
  exportCmd
      ->add_option("-o,--output", exportOutput,
                   "JSON file to write, replaced in one step; a new file gets mode 0600, an "
                   "existing one keeps its mode (default, or -: standard output)")
      ->type_name("FILE");
  exportCmd->callback([&] { run = [&] { return runExport(exportPath, exportOutput); }; });

  ImportOptions import;
  auto* importCmd = app.add_subcommand(
      "import", "Build a server list from JSON, storing entries as the editor does");
  importCmd->add_option("IN", import.input, "JSON file, or - for standard input")->required();
  importCmd
      ->add_option("--config", import.configPath,
                   "device configuration giving the header values, - for standard input")
      ->type_name("CFG")
      ->capture_default_str();
  importCmd
      ->add_option("-o,--output", import.output,
                   "server list file to write, replaced in one step; the name is used as given; "
                   "- writes to standard output (never a terminal)")
      ->type_name("FILE")
      ->required();
  importCmd->callback([&] { run = [&] { return runImport(import); }; });

  auto* configCmd =
      app.add_subcommand("config", "Show or create a device configuration (IPConfig.cfg)");
  configCmd->require_subcommand(1);

  std::string configShowPath;
  bool configShowJson = false;
  auto* configShowCmd =
      configCmd->add_subcommand("show", "Show a configuration's title, values and checksum");
  configShowCmd
      ->add_option("CFG", configShowPath, "device configuration file, - for standard input")
      ->required();
  configShowCmd->add_flag("--json", configShowJson, "print the same as JSON");
  configShowCmd->callback(
      [&] { run = [&] { return runConfigShow(configShowPath, configShowJson); }; });

  ConfigCreateOptions create;
  auto* createCmd = configCmd->add_subcommand("create", "Write a new device configuration");
  createCmd->add_option("--title", create.title, "title, at most 31 single-byte characters")
      ->required();
  // Read as text and judged by the command, which names the option and
  // its range in the refusal.
  createCmd->add_option("--value16", create.value16, "deviceValue16, 0..65535")
      ->type_name("UINT")
      ->required();
  createCmd->add_option("--value32", create.value32, "deviceValue32, 0..4294967295")
      ->type_name("UINT")
      ->required();
  createCmd->add_option("--value8", create.value8, "deviceValue8, 0..255")
      ->type_name("UINT")
      ->required();
  createCmd
      ->add_option("-o,--output", create.output,
                   "file to write, replaced in one step; - writes to standard output (never a "
                   "terminal)")
      ->type_name("FILE")
      ->required();
  createCmd->callback([&] { run = [&] { return runConfigCreate(create); }; });

  std::vector<std::string> arguments = commandLineArguments(argc, argv);
  std::vector<char*> argumentPointers;
  for (std::string& argument : arguments) argumentPointers.push_back(argument.data());
  if (const std::string unknown = unknownCommandText(app, arguments); !unknown.empty()) {
    std::fputs(unknown.c_str(), stderr);
    return kExitUsage;
  }
  try {
    app.parse(static_cast<int>(argumentPointers.size()), argumentPointers.data());
  } catch (const CLI::ParseError& e) {
    // Help and version are successes; every real parse error is a usage error.
    return withOutputChecked(app.exit(e) == 0 ? kExitOk : kExitUsage);
  }
  int code = kExitRefused;
  try {
    code = run();
  } catch (const std::exception& e) {
    // A print that failed is reported below, with the system's reason.
    if (!std::ferror(stdout)) reportFailure("error", e.what());
  }
  return withOutputChecked(code);
}
