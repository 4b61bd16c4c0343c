// What scitool does with the mistakes a user makes: an output that is one
// of the inputs, a file of the other kind, "-" for a standard stream.

#include <gmock/gmock.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "data/ServerListFile.h"
#include "tests/cli/ScitoolFixture.h"

namespace sci::test {
namespace {

using ::testing::HasSubstr;
namespace fs = std::filesystem;

class UserMistakeTest : public ScitoolTest {
 protected:
  void SetUp() override {
    ScitoolTest::SetUp();
    writeConfig("IPConfig.cfg");
    writeList("list.bin", sampleTable());
    const RunResult exported = run({"export", "list.bin", "-o", "list.json"});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
  }
};

struct SameFileCase {
  const char* name;
  std::vector<std::string> args;
  std::string output;  // as the command line spells it
  std::string input;   // the same file, as the command line spells it
};

// The write would replace the input whole: the command must refuse before
// it touches anything, naming both.
TEST_F(UserMistakeTest, AnOutputThatIsAnInputIsRefusedAndLeftAlone) {
  fs::create_hard_link(path("list.bin"), path("linked.bin"));
  const SameFileCase cases[] = {
      {"export onto its list", {"export", "list.bin", "-o", "list.bin"}, "list.bin", "list.bin"},
      {"another spelling", {"export", "list.bin", "-o", "./list.bin"}, "./list.bin", "list.bin"},
      {"a hard link", {"export", "list.bin", "-o", "linked.bin"}, "linked.bin", "list.bin"},
      {"import onto its JSON",
       {"import", "list.json", "-o", "list.json"},
       "list.json",
       "list.json"},
      {"import onto its configuration",
       {"import", "list.json", "--config", "IPConfig.cfg", "-o", "./IPConfig.cfg"},
       "./IPConfig.cfg",
       "IPConfig.cfg"},
  };
  const auto before = readBytes("list.bin");
  const auto jsonBefore = readBytes("list.json");
  const auto configBefore = readBytes("IPConfig.cfg");
  for (const SameFileCase& c : cases) {
    SCOPED_TRACE(c.name);
    const RunResult r = run(c.args);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "scitool: " + c.output + ": refused: this is the input " + c.input +
                         ", which writing would replace; nothing written\n");
    EXPECT_EQ(readBytes("list.bin"), before);
    EXPECT_EQ(readBytes("list.json"), jsonBefore);
    EXPECT_EQ(readBytes("IPConfig.cfg"), configBefore);
  }
  // A different file is written as before.
  EXPECT_EQ(run({"export", "list.bin", "-o", "other.json"}).exitCode, 0);
}

struct WrongKindCase {
  std::vector<std::string> args;
  std::string file;
  std::string reason;  // after "scitool: FILE: "
};

// "Length Error!" alone leaves a user guessing: the sizes follow it, and
// the command that reads the file when it is plainly of another kind.
TEST_F(UserMistakeTest, AFileOfTheOtherKindNamesTheCommandThatReadsIt) {
  writeText("notes.txt", "just some notes");
  const WrongKindCase cases[] = {
      {{"show", "IPConfig.cfg"},
       "IPConfig.cfg",
       "Length Error! (52 bytes found, 4124 expected): the size of a device configuration, "
       "which 'scitool config show' reads"},
      {{"export", "list.json"},
       "list.json",
       "Length Error! (" + std::to_string(fs::file_size(path("list.json"))) +
           " bytes found, 4124 expected): a JSON text, which 'scitool import' reads"},
      {{"config", "show", "list.bin"},
       "list.bin",
       "Length Error! (4124 bytes found, 52 expected): the size of a server list, which "
       "'scitool show' reads"},
      {{"import", "list.json", "--config", "list.bin", "-o", "out.bin"},
       "list.bin",
       "Length Error! (4124 bytes found, 52 expected): the size of a server list, which "
       "'scitool show' reads"},
      {{"show", "notes.txt"}, "notes.txt", "Length Error! (15 bytes found, 4124 expected)"},
  };
  for (const WrongKindCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    const RunResult r = run(c.args);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "scitool: " + c.file + ": " + c.reason + "\n");
  }
  EXPECT_FALSE(fs::exists(path("out.bin")));
}

// "-" reads standard input wherever a file is read.
TEST_F(UserMistakeTest, DashReadsStandardInput) {
  const std::string list = readText("list.bin");
  const std::string config = readText("IPConfig.cfg");
  const RunResult shown = run({"show", "-"}, list);
  EXPECT_EQ(shown.exitCode, 0) << shown.err;
  // The same as for the file but for the name on the first line.
  const std::string named = run({"show", "list.bin"}).out;
  EXPECT_EQ(shown.out, "file:           -" + named.substr(named.find('\n')));

  const RunResult checked = run({"check", "-", "list.bin"}, config);
  EXPECT_EQ(checked.exitCode, 0) << checked.err;
  EXPECT_EQ(checked.out, "-: OK\nlist.bin: OK\n");

  const RunResult exported = run({"export", "-"}, list);
  EXPECT_EQ(exported.exitCode, 0) << exported.err;
  EXPECT_EQ(exported.out, readText("list.json"));

  const RunResult configShown = run({"config", "show", "-"}, config);
  EXPECT_EQ(configShown.exitCode, 0) << configShown.err;
  EXPECT_THAT(configShown.out, HasSubstr("title:          Test Device\n"));

  const RunResult shortInput = run({"show", "-"}, "x");
  EXPECT_EQ(shortInput.exitCode, 1);
  EXPECT_EQ(shortInput.err, "scitool: -: Length Error! (1 byte found, 4124 expected)\n");

  // Both cannot read the one standard input.
  EXPECT_EQ(run({"check", "-", "--files-from", "-"}).exitCode, 2);
}

// "-" as an output writes to standard output, and the note that it was
// written goes to standard error; "./-" names a file called "-".
TEST_F(UserMistakeTest, DashWritesStandardOutputAndDotSlashDashIsAFile) {
  const RunResult imported = run({"import", "list.json", "-o", "-"});
  ASSERT_EQ(imported.exitCode, 0) << imported.err;
  EXPECT_THAT(imported.err,
              HasSubstr("scitool: standard output: written (0 positions stored, 20 kept"));
  ServerTable table{};
  EXPECT_EQ(decodeServerList(std::span(reinterpret_cast<const std::uint8_t*>(imported.out.data()),
                                       imported.out.size()),
                             table),
            FileResult::Ok);
  EXPECT_FALSE(fs::exists(path("-")));

  const RunResult created = run({"config", "create", "--title", "T", "--value16", "1", "--value32",
                                 "2", "--value8", "3", "-o", "-"});
  ASSERT_EQ(created.exitCode, 0) << created.err;
  EXPECT_EQ(created.out.size(), kDeviceConfigSize);
  EXPECT_FALSE(fs::exists(path("-")));

  const RunResult named = run({"import", "list.json", "-o", "./-"});
  ASSERT_EQ(named.exitCode, 0) << named.err;
  EXPECT_THAT(named.out, HasSubstr("./-: written"));
  EXPECT_EQ(fs::file_size(path("-")), kServerListSize);
  const RunResult shownFile = run({"show", "./-"});
  EXPECT_EQ(shownFile.exitCode, 0) << shownFile.err;
}

}  // namespace
}  // namespace sci::test
