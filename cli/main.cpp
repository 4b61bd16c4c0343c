// scitool: inspect, check and build VANTO server list files and device
// configurations from the command line.

#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdio>
#include <exception>
#include <functional>
#include <string>
#include <system_error>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/StandardStreams.h"
#include "data/DeviceConfig.h"
#include "data/ServerEntry.h"

namespace {

std::string description() {
  return fmt::format(
      "scitool: inspect, check and build VANTO server list files (.bin) and device\n"
      "configurations ({}), byte for byte as the sciedit editor does.",
      sci::kDeviceConfigFileName);
}

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

}  // namespace

int main(int argc, char** argv) {
  using namespace sci;
  useBinaryStandardStreams();
  CLI::App app(description(), "scitool");
  // A path such as /tmp/list.bin is a file, not a Windows-style /option;
  // CLI11 would take it for one on Windows.
  app.allow_windows_style_options(false);
  app.set_version_flag("--version", std::string("scitool ") + SCITOOL_VERSION);
  app.require_subcommand(1);
  app.footer(
      "Exit status: 0 when all is well, 1 when a file is bad, an input is refused or\n"
      "a result cannot be written, 2 for a usage error. Run 'scitool <command> --help'\n"
      "for a command's options.");

  std::function<int()> run;

  ShowOptions show;
  auto* showCmd = app.add_subcommand(
      "show",
      fmt::format("Show a server list's header values and its {} positions", sci::kEntryCount));
  showCmd->add_option("LIST", show.path, "server list file (.bin)")->required();
  showCmd->add_flag("--json", show.json, "print the same as JSON");
  showCmd->add_flag("--show-passwords", show.showPasswords, "show passwords instead of ****");
  showCmd->callback([&] { run = [&] { return runShow(show); }; });

  CheckOptions check;
  auto* checkCmd = app.add_subcommand(
      "check", "Check server lists and configurations: 'FILE: OK' or the reason");
  auto* checkFiles = checkCmd->add_option(
      "FILE", check.paths,
      "files to check; a 52-byte file is checked as a device configuration, any other as a "
      "server list");
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
    run = [&] { return runCheck(check); };
  });

  std::string exportPath;
  std::string exportOutput;
  auto* exportCmd = app.add_subcommand(
      "export",
      "Write a server list as JSON (see docs/json-format.md). The JSON holds every password in "
      "clear: a new output file is made readable by its owner only");
  exportCmd->add_option("LIST", exportPath, "server list file (.bin)")->required();
  exportCmd->add_option("-o,--output", exportOutput,
                        "JSON file to write, replaced in one step; a new file gets mode 0600, an "
                        "existing one keeps its mode (default: standard output)");
  exportCmd->callback([&] { run = [&] { return runExport(exportPath, exportOutput); }; });

  ImportOptions import;
  auto* importCmd = app.add_subcommand(
      "import", "Build a server list from JSON, storing entries as the editor does");
  importCmd->add_option("IN", import.input, "JSON file, or - for standard input")->required();
  importCmd
      ->add_option("--config", import.configPath, "device configuration giving the header values")
      ->capture_default_str();
  importCmd
      ->add_option("-o,--output", import.output,
                   "server list file to write, replaced in one step; the name is used as given")
      ->required();
  importCmd->callback([&] { run = [&] { return runImport(import); }; });

  auto* configCmd = app.add_subcommand(
      "config",
      fmt::format("Show or create a device configuration ({})", sci::kDeviceConfigFileName));
  configCmd->require_subcommand(1);

  std::string configShowPath;
  bool configShowJson = false;
  auto* configShowCmd =
      configCmd->add_subcommand("show", "Show a configuration's title, values and checksum");
  configShowCmd->add_option("CFG", configShowPath, "device configuration file")->required();
  configShowCmd->add_flag("--json", configShowJson, "print the same as JSON");
  configShowCmd->callback(
      [&] { run = [&] { return runConfigShow(configShowPath, configShowJson); }; });

  ConfigCreateOptions create;
  auto* createCmd = configCmd->add_subcommand("create", "Write a new device configuration");
  createCmd
      ->add_option(
          "--title", create.title,
          fmt::format("title, at most {} single-byte characters", sci::kDeviceTitleCapacity - 1))
      ->required();
  createCmd->add_option("--value16", create.value16, "deviceValue16, 0..65535")->required();
  createCmd->add_option("--value32", create.value32, "deviceValue32, 0..4294967295")->required();
  createCmd->add_option("--value8", create.value8, "deviceValue8, 0..255")->required();
  createCmd->add_option("-o,--output", create.output, "file to write, replaced in one step")
      ->required();
  createCmd->callback([&] { run = [&] { return runConfigCreate(create); }; });

  std::vector<std::string> arguments = commandLineArguments(argc, argv);
  std::vector<char*> argumentPointers;
  for (std::string& argument : arguments) argumentPointers.push_back(argument.data());
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
