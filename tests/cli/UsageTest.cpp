// Command-line handling: help, version and the exit status of usage errors.

#include <gmock/gmock.h>

#include "tests/cli/ScitoolFixture.h"

namespace sci::test {
namespace {

using ::testing::HasSubstr;

TEST_F(ScitoolTest, HelpMentionsEveryCommand) {
  const RunResult r = run({"--help"});
  EXPECT_EQ(r.exitCode, 0);
  for (const char* command : {"show", "check", "export", "import", "config"}) {
    EXPECT_THAT(r.out, HasSubstr(command)) << command;
  }
}

TEST_F(ScitoolTest, VersionIsTheProductVersion) {
  const RunResult r = run({"--version"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_THAT(r.out, HasSubstr("1.0.0.1"));
}

// Whoever exports must be told what the file holds.
TEST_F(ScitoolTest, ExportHelpWarnsOfClearPasswords) {
  const RunResult r = run({"export", "--help"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_THAT(r.out, HasSubstr("every password in clear"));
  EXPECT_THAT(r.out, HasSubstr("0600"));
}

struct HelpCase {
  std::vector<std::string> args;
  std::string usage;  // the usage line names the command and its operands
};

class CommandHelp : public ScitoolTest, public ::testing::WithParamInterface<HelpCase> {};

TEST_P(CommandHelp, PrintsTheCommandsUsageAndSucceeds) {
  const RunResult r = run(GetParam().args);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_THAT(r.out, HasSubstr(GetParam().usage));
  EXPECT_EQ(r.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    EveryCommand, CommandHelp,
    ::testing::Values(HelpCase{{"show", "--help"}, "scitool show [OPTIONS] LIST"},
                      HelpCase{{"check", "--help"}, "scitool check [OPTIONS] [FILE...]"},
                      HelpCase{{"export", "--help"}, "scitool export [OPTIONS] LIST"},
                      HelpCase{{"import", "--help"}, "scitool import [OPTIONS] IN"},
                      HelpCase{{"config", "--help"}, "scitool config [OPTIONS] SUBCOMMAND"},
                      HelpCase{{"config", "show", "--help"}, "scitool config show [OPTIONS] CFG"},
                      HelpCase{{"config", "create", "--help"}, "--value32"}));

// Every --help fits a terminal of 80 columns, and a number is asked for as
// one, not as TEXT.
TEST_F(ScitoolTest, HelpFitsEightyColumnsAndNamesNumbers) {
  const std::vector<std::vector<std::string>> helps = {{"--help"},
                                                       {"show", "--help"},
                                                       {"check", "--help"},
                                                       {"export", "--help"},
                                                       {"import", "--help"},
                                                       {"config", "--help"},
                                                       {"config", "show", "--help"},
                                                       {"config", "create", "--help"}};
  for (const auto& args : helps) {
    const RunResult r = run(args);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::size_t start = 0;
    for (std::size_t end; (end = r.out.find('\n', start)) != std::string::npos; start = end + 1) {
      EXPECT_LE(end - start, 80u) << testing::PrintToString(args) << ": "
                                  << r.out.substr(start, end - start);
    }
  }
  const RunResult create = run({"config", "create", "--help"});
  for (const char* option : {"--value16 UINT", "--value32 UINT", "--value8 UINT"}) {
    EXPECT_THAT(create.out, HasSubstr(option));
  }
}

// "-" is documented where a user looks first.
TEST_F(ScitoolTest, HelpSaysWhatDashMeans) {
  EXPECT_THAT(run({"--help"}).out, HasSubstr("./- names a file called -"));
  EXPECT_THAT(run({"show", "--help"}).out, HasSubstr("- for standard input"));
  EXPECT_THAT(run({"import", "--help"}).out, HasSubstr("- writes to standard"));
}

struct MisspeltCase {
  std::vector<std::string> args;
  std::string message;  // the whole of standard error
};

class MisspeltCommand : public ScitoolTest, public ::testing::WithParamInterface<MisspeltCase> {};

TEST_P(MisspeltCommand, NamesTheWordListsTheCommandsAndSuggestsTheNearest) {
  const RunResult r = run(GetParam().args);
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Words, MisspeltCommand,
    ::testing::Values(MisspeltCase{{"shwo", "x.bin"},
                                   "scitool: unknown command 'shwo'\n"
                                   "commands: show, check, export, import, config\n"
                                   "did you mean 'scitool show'?\n"},
                      MisspeltCase{{"config", "creat", "-o", "x.cfg"},
                                   "scitool: unknown command 'config creat'\n"
                                   "commands: show, create\n"
                                   "did you mean 'scitool config create'?\n"},
                      MisspeltCase{{"frobnicate"},
                                   "scitool: unknown command 'frobnicate'\n"
                                   "commands: show, check, export, import, config\n"}));

class UsageError : public ScitoolTest,
                   public ::testing::WithParamInterface<std::vector<std::string>> {};

TEST_P(UsageError, ExitsWithTwoAndSaysWhyOnStderr) {
  const RunResult r = run(GetParam());
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Refused, UsageError,
    ::testing::Values(
        std::vector<std::string>{}, std::vector<std::string>{"frobnicate"},
        std::vector<std::string>{"show"}, std::vector<std::string>{"show", "a.bin", "b.bin"},
        std::vector<std::string>{"show", "--colour", "a.bin"}, std::vector<std::string>{"check"},
        std::vector<std::string>{"check", "-0", "a.bin"},
        std::vector<std::string>{"import", "in.json"}, std::vector<std::string>{"config"},
        std::vector<std::string>{"config", "create", "--title", "T", "-o", "x.cfg"}));

}  // namespace
}  // namespace sci::test
