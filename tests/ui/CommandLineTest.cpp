// The editor's command line: what it runs, prints or refuses, and where it
// finds the device configuration. Both front ends read it here.

#include <gtest/gtest.h>

#include "tests/data/TempDir.h"
#include "tests/ui/DialogFixture.h"
#include "ui/CommandLine.h"

namespace sci::test {
namespace {

namespace fs = std::filesystem;
using Action = CommandLine::Action;

struct ActionCase {
  const char* name;
  std::vector<std::string> arguments;
  Action action;
  std::vector<std::string> textHas;
};

const std::string kUsage = "Usage: sciedit [--config FILE] [LIST.bin]";
const std::string kTry = "Try 'sciedit --help' for more information.";

const ActionCase kActions[] = {
    {"nothing", {}, Action::Run, {}},
    {"a_list", {"a.bin"}, Action::Run, {}},
    {"help",
     {"--help"},
     Action::Print,
     {"Usage: sciedit [options] [LIST.bin]\n", "--config <FILE>", "LIST.bin"}},
    {"h_with_a_list", {"-h", "a.bin"}, Action::Print, {"Usage: sciedit"}},
    {"version", {"--version"}, Action::Print, {"sciedit 1.0.0.1\n"}},
    {"v", {"-v"}, Action::Print, {"sciedit 1.0.0.1\n"}},
    {"unknown_option",
     {"--bogus", "a.bin"},
     Action::UsageError,
     {"sciedit: Unknown option 'bogus'.\n", kUsage, kTry}},
    {"Qt_s_own_option",
     {"-platform", "offscreen"},
     Action::UsageError,
     {"sciedit: Unknown option 'p'.\n", kUsage, kTry}},
    {"two_lists",
     {"a.bin", "b.bin"},
     Action::UsageError,
     {"sciedit: one list at a time, not 2: a.bin, b.bin\n", kUsage}},
    {"config_without_a_file",
     {"--config"},
     Action::UsageError,
     {"Missing value after '--config'.", kUsage}},
    {"value_after_help", {"--help=3"}, Action::UsageError, {"Unexpected value after '--help'."}},
    {"list_after_double_dash", {"--", "-odd.bin"}, Action::Run, {}},
};

class Actions : public ::testing::TestWithParam<ActionCase> {};

TEST_P(Actions, RunPrintOrRefuse) {
  const ActionCase& c = GetParam();
  std::vector<std::string> arguments{"/usr/bin/sciedit"};
  arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
  const CommandLine command = parseCommandLine(arguments);
  EXPECT_EQ(command.action, c.action);
  for (const std::string& part : c.textHas) {
    EXPECT_NE(command.text.find(part), std::string::npos) << command.text;
  }
  if (c.action == Action::Run) {
    EXPECT_TRUE(command.text.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(CommandLine, Actions, ::testing::ValuesIn(kActions),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CommandLine, HelpIsTheWholeText) {
  const CommandLine command = parseCommandLine({"sciedit.exe", "-h"});
  EXPECT_EQ(command.text,
            "Usage: sciedit [options] [LIST.bin]\n"
            "Edit the server list of a VANTO network device.\n"
            "\n"
            "Options:\n"
            "  -h, --help       Show this help and exit.\n"
            "  -v, --version    Show the version and exit.\n"
            "  --config <FILE>  Read the device configuration from FILE instead of\n"
            "                   IPConfig.cfg in the current folder, else in the list's\n"
            "                   folder, else in the program's folder.\n"
            "\n"
            "Arguments:\n"
            "  LIST.bin         Server list to open once the window is up.\n");
}

TEST(CommandLine, PathsStayUtf8) {
  const std::string name = "\xe5\x88\x97\xe8\xa1\xa8.bin";
  const CommandLine command = parseCommandLine({"sciedit", "--config=\xce\xbb.cfg", name});
  ASSERT_EQ(command.action, Action::Run);
  ASSERT_TRUE(command.listPath);
  EXPECT_TRUE(command.listPath->u8string() == std::u8string(name.begin(), name.end()));
  EXPECT_TRUE(command.configPath.u8string() == u8"\u03bb.cfg");
}

// Both front ends start the dialog from the command line through one
// function, so the configuration, whether it was named and the list reach
// the dialog alike.
TEST(CommandLine, SetsUpTheDialog) {
  for (const auto& arguments :
       std::vector<std::vector<std::string>>{{"sciedit", "--config", "device.cfg", "site.bin"},
                                             {"sciedit", "site.bin"},
                                             {"sciedit"}}) {
    const CommandLine command = parseCommandLine(arguments);
    const DialogSetup setup = setupFrom(command);
    EXPECT_EQ(setup.configPath, command.configPath);
    EXPECT_EQ(setup.configNamed, command.configNamed);
    EXPECT_EQ(setup.listPath, command.listPath);
  }
  const DialogSetup named = setupFrom(parseCommandLine({"sciedit", "--config", "d.cfg", "s.bin"}));
  EXPECT_TRUE(named.configNamed);
  EXPECT_EQ(named.configPath.filename(), "d.cfg");
  ASSERT_TRUE(named.listPath);
  EXPECT_EQ(named.listPath->filename(), "s.bin");
  EXPECT_FALSE(setupFrom(parseCommandLine({"sciedit"})).listPath);
}

// Changes the current folder for the life of the object.
class InFolder {
 public:
  explicit InFolder(const fs::path& folder) : previous_(fs::current_path()) {
    fs::current_path(folder);
  }
  ~InFolder() { fs::current_path(previous_); }

 private:
  fs::path previous_;
};

struct ConfigCase {
  const char* name;
  bool inStart;
  bool inLists;
  std::vector<std::string> arguments;  // LISTS: the list's folder
  std::string expected;                // PROGRAM: the program's folder
  std::string list;
  bool inProgram = false;
};

const ConfigCase kConfigs[] = {
    {"no_list", false, true, {}, "IPConfig.cfg", ""},
    {"list_current_folder_has_one",
     true,
     true,
     {"LISTS/site.bin"},
     "IPConfig.cfg",
     "LISTS/site.bin"},
    {"list_only_its_folder_has_one",
     false,
     true,
     {"LISTS/site.bin"},
     "LISTS/IPConfig.cfg",
     "LISTS/site.bin"},
    {"list_neither_has_one", false, false, {"LISTS/site.bin"}, "IPConfig.cfg", "LISTS/site.bin"},
    {"list_in_the_current_folder", false, true, {"site.bin"}, "IPConfig.cfg", "site.bin"},
    {"config_wins_over_the_list_s_folder",
     false,
     true,
     {"--config", "other.cfg", "LISTS/site.bin"},
     "other.cfg",
     "LISTS/site.bin"},
    {"config_wins_over_the_current_folder",
     true,
     false,
     {"--config=LISTS/model.cfg"},
     "LISTS/model.cfg",
     ""},
    // Where the zip and the installer put one: found last of all.
    {"no_list_only_the_program_s_folder_has_one",
     false,
     false,
     {},
     "PROGRAM/IPConfig.cfg",
     "",
     true},
    {"list_only_the_program_s_folder_has_one",
     false,
     false,
     {"LISTS/site.bin"},
     "PROGRAM/IPConfig.cfg",
     "LISTS/site.bin",
     true},
    {"list_s_folder_wins_over_the_program_s",
     false,
     true,
     {"LISTS/site.bin"},
     "LISTS/IPConfig.cfg",
     "LISTS/site.bin",
     true},
    {"current_folder_wins_over_the_program_s", true, false, {}, "IPConfig.cfg", "", true},
    {"config_wins_over_the_program_s_folder",
     false,
     false,
     {"--config=other.cfg"},
     "other.cfg",
     "",
     true},
};

class ConfigurationIsFound : public ::testing::TestWithParam<ConfigCase> {};

TEST_P(ConfigurationIsFound, InTheCurrentFolderThenBesideTheListThenBesideTheProgram) {
  const ConfigCase& c = GetParam();
  TempDir dir;
  fs::create_directory(dir / "start");
  fs::create_directory(dir / "lists");
  fs::create_directory(dir / "program");
  if (c.inProgram) writeFile(dir / "program/IPConfig.cfg", goodConfigBytes());
  if (c.inStart) writeFile(dir / "start/IPConfig.cfg", goodConfigBytes());
  if (c.inLists) writeFile(dir / "lists/IPConfig.cfg", goodConfigBytes());
  const std::string lists = (dir / "lists").string();
  const std::string program = (dir / "program").string();
  const auto expand = [&](std::string text) {
    if (const auto at = text.find("LISTS"); at != std::string::npos) text.replace(at, 5, lists);
    if (const auto at = text.find("PROGRAM"); at != std::string::npos) {
      text.replace(at, 7, program);
    }
    return text;
  };
  std::vector<std::string> arguments{"sciedit"};
  for (const std::string& argument : c.arguments) arguments.push_back(expand(argument));

  InFolder start(dir / "start");
  const CommandLine command = parseCommandLine(arguments, dir / "program");
  ASSERT_EQ(command.action, Action::Run);
  EXPECT_EQ(command.configPath, fs::path(expand(c.expected)));
  ASSERT_EQ(command.listPath.has_value(), !c.list.empty());
  if (command.listPath) {
    EXPECT_EQ(*command.listPath, fs::path(expand(c.list)));
  }
}

INSTANTIATE_TEST_SUITE_P(CommandLine, ConfigurationIsFound, ::testing::ValuesIn(kConfigs),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sci::test
