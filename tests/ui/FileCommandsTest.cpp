// Open and Save: the file dialogs, the results and failures with their
// messages, and file names outside Latin-1 from the dialog to the disk and
// into a message.

#include <cerrno>
#include <fstream>

#include "data/ServerListFile.h"
#include "tests/SystemForTests.h"
#include "tests/ui/DialogFixture.h"
#include "ui/ApplicationName.h"
#include "ui/DialogConstants.h"

namespace sci::test {
namespace {

namespace fs = std::filesystem;

fs::path utf8Path(const std::string& text) {
  return fs::path(std::u8string(text.begin(), text.end()));
}

std::string utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

ServerTable numberedTable() {
  ServerTable table = initialTable();
  for (std::size_t i = 0; i < kEntryCount; ++i) {
    table.entries[i] =
        makeEntry("server-" + std::to_string(i) + ".example", static_cast<std::uint32_t>(1000 + i),
                  "user" + std::to_string(i), "secret" + std::to_string(i));
  }
  return table;
}

ServerTable readBack(const fs::path& path) {
  ServerTable table = initialTable();
  EXPECT_EQ(readServerList(path, table), FileResult::Ok);
  return table;
}

void expectStop(const Shown& shown, const std::string& text) {
  EXPECT_EQ(shown.text, text);
  EXPECT_EQ(shown.caption, kAppName);
  EXPECT_EQ(shown.icon, PromptIcon::Stop);
  EXPECT_EQ(shown.buttons, PromptButtons::Ok);
}

TEST_F(DialogTest, OpenOffersTheListFiltersAndKeepsThePosition) {
  started();
  const fs::path list = dir / "numbered.bin";
  writeList(list, numberedTable());
  for (int i = 0; i < 6; ++i) dialog->OnDeltaPos(+1);
  prompts.chosen = {list};
  dialog->OnOpen();
  ASSERT_EQ(prompts.fileModes(), std::vector<FileDialogMode>{FileDialogMode::Open});
  ASSERT_EQ(prompts.files[0].filters.size(), 2u);
  EXPECT_EQ(prompts.files[0].filters[0].name, "BIN Files (*.bin)");
  EXPECT_EQ(prompts.files[0].filters[0].pattern, "*.bin");
  EXPECT_EQ(prompts.files[0].filters[1].name, "All Files (*.*)");
  EXPECT_EQ(prompts.files[0].filters[1].pattern, "*.*");
  EXPECT_TRUE(prompts.messages.empty());
  EXPECT_EQ(dialog->editor().current(), 6);
  EXPECT_EQ(controls.text(IDC_SERVER), "server-6.example");
  EXPECT_EQ(controls.text(IDC_PORT), "1006");
  EXPECT_EQ(controls.text(IDC_USER_NAME), "user6");
}

// Neither dialog asks before replacing a file, and Open takes any name:
// reading one that does not exist fails with the message naming it. Each
// front end only maps these to its own dialog.
TEST_F(DialogTest, FileDialogsAreAskedForWithTheListPolicy) {
  started();
  dialog->OnOpen();
  dialog->OnSave();
  ASSERT_EQ(prompts.files.size(), 2u);
  for (const auto& [asked, mode] : {std::pair{prompts.files[0], FileDialogMode::Open},
                                    std::pair{prompts.files[1], FileDialogMode::Save}}) {
    EXPECT_EQ(asked.mode, mode);
    EXPECT_FALSE(asked.askBeforeReplacing);
    EXPECT_FALSE(asked.mustExist);
    ASSERT_EQ(asked.filters.size(), 2u);
    EXPECT_EQ(asked.filters[0].pattern, "*.bin");
  }
}

TEST_F(DialogTest, CancelledFileDialogsDoNothing) {
  started();
  dialog->OnOpen();
  dialog->OnSave();
  EXPECT_EQ(prompts.files.size(), 2u);
  EXPECT_TRUE(prompts.messages.empty());
  EXPECT_EQ(dialog->editor().table(), initialTable());
}

struct OpenFailure {
  const char* file;
  const char* fixedText;  // the first line, as it always was
  const char* reason;     // after "<full path>: " on the second
};

class OpenFails : public DialogTest, public ::testing::WithParamInterface<OpenFailure> {};

TEST_P(OpenFails, ChangesNothing) {
  started();
  const fs::path good = dir / "good.bin";
  writeList(good, numberedTable());
  std::vector<std::uint8_t> bytes(kServerListSize);
  {
    std::ifstream in(good, std::ios::binary);
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
  }
  writeFile(dir / "short.bin", {bytes.begin(), bytes.end() - 1});
  bytes[kHeaderSize + 100] ^= 0x5A;
  writeFile(dir / "corrupt.bin", bytes);

  controls.type(IDC_SERVER, "typed.example");
  prompts.chosen = {dir / GetParam().file};
  dialog->OnOpen();
  ASSERT_EQ(prompts.messages.size(), 1u);
  expectStop(prompts.messages[0], std::string(GetParam().fixedText) + "\n" +
                                      utf8(dir.path() / GetParam().file) + ": " +
                                      GetParam().reason);
  EXPECT_EQ(dialog->editor().table(), initialTable());
  EXPECT_EQ(controls.text(IDC_SERVER), "typed.example");
  EXPECT_TRUE(controls.modified(IDC_SERVER));
}

const OpenFailure kOpenFailures[] = {
    {"missing.bin", "abort!", "not found"},
    {"short.bin", "Length Error!", "4123 bytes found, 4124 expected"},
    {"corrupt.bin", "Check data error!",
     "the checksum does not match (damaged or not a server list)"},
};

INSTANTIATE_TEST_SUITE_P(Open, OpenFails, ::testing::ValuesIn(kOpenFailures));

TEST_F(DialogTest, SaveAddsTheExtensionAndWritesTheLastStoredEntry) {
  started();
  const ServerTable table = numberedTable();
  const fs::path in = dir / "in.bin";
  writeList(in, table);
  dialog->openList(in);
  controls.type(IDC_SERVER, "short");
  prompts.chosen = {dir / "out"};
  dialog->OnSave();
  EXPECT_TRUE(prompts.messages.empty());
  EXPECT_EQ(prompts.files.back().mode, FileDialogMode::Save);
  EXPECT_EQ(readBack(dir / "out.bin").entries, table.entries);
  EXPECT_EQ(controls.text(IDC_SERVER), "short");
}

TEST_F(DialogTest, SaveIntoAMissingFolderSaysAbortAndWhy) {
  started();
  prompts.chosen = {dir / "no-such-folder" / "list.bin"};
  dialog->OnSave();
  ASSERT_EQ(prompts.messages.size(), 1u);
  expectStop(prompts.messages[0], "abort!\n" + utf8(dir.path() / "no-such-folder" / "list.bin") +
                                      ": the folder does not exist");
  EXPECT_FALSE(fs::exists(dir / "no-such-folder"));
}

TEST_F(DialogTest, SaveFailingWhileWritingNamesTheFile) {
  WriteOps ops = WriteOps::system();
  ops.write = [](NativeFile, const void*, std::size_t) -> long {
    errno = ENOSPC;
    return -1;
  };
  start(goodConfigBytes(), ops);
  prompts.messages.clear();
  const fs::path target = dir / "list.bin";
  prompts.chosen = {target};
  dialog->OnSave();
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].icon, PromptIcon::Stop);
  EXPECT_NE(prompts.messages[0].text.find(utf8(target)), std::string::npos)
      << prompts.messages[0].text;
  EXPECT_FALSE(fs::exists(target));
}

// Saving over a file that cannot be replaced says which file and why, and
// leaves it as it was.
TEST_F(DialogTest, SaveOverAReadOnlyFileSaysSo) {
  started();
  const fs::path target = dir / "locked.bin";
  writeList(target, initialTable());
  fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  controls.type(IDC_SERVER, "changed.example");
  prompts.chosen = {target};
  dialog->OnSave();
  fs::permissions(target, fs::perms::owner_all);
  if (prompts.messages.empty()) GTEST_SKIP() << "this user may write read-only files (root)";
  ASSERT_EQ(prompts.messages.size(), 1u);
  expectStop(prompts.messages[0], "abort!\n" + utf8(target) + ": read-only");
  EXPECT_EQ(readBack(target).entries, initialTable().entries);
  EXPECT_TRUE(dialog->hasUnsavedChanges());
}

TEST_F(DialogTest, SaveOverAFileAnotherProgramHoldsSaysSo) {
  started();
  const fs::path target = dir / "held.bin";
  writeList(target, initialTable());
  const HeldOpen held(target);
  if (held.unavailable) GTEST_SKIP() << *held.unavailable;
  prompts.chosen = {target};
  dialog->OnSave();
  ASSERT_EQ(prompts.messages.size(), 1u);
  const std::string& text = prompts.messages[0].text;
  EXPECT_NE(text.find(utf8(target) + ": in use by another program"), std::string::npos) << text;
  EXPECT_EQ(prompts.messages[0].icon, PromptIcon::Stop);
}

// Greek, CJK and an emoji: none of them has a Latin-1 or Windows-1252 form.
const std::string kWideName =
    "\xce\xbb\xce\xaf\xcf\x83\xcf\x84\xce\xb1-\xe5\x88\x97\xe8\xa1\xa8-"
    "\xf0\x9f\x93\x8b";

TEST_F(DialogTest, NamesOutsideLatin1ReachTheDiskAndTheMessages) {
  started();
  const ServerTable table = numberedTable();
  const fs::path stem = dir.path() / utf8Path(kWideName);
  const fs::path saved = dir.path() / utf8Path(kWideName + ".bin");
  dialog->openList([&] {
    const fs::path in = dir / "in.bin";
    writeList(in, table);
    return in;
  }());
  prompts.chosen = {stem};
  dialog->OnSave();
  EXPECT_TRUE(prompts.messages.empty());
  ASSERT_TRUE(fs::exists(saved));
  EXPECT_EQ(readBack(saved).entries, table.entries);

  // Opened again by its name, into a fresh dialog.
  controls = FakeControls{};
  started();
  prompts.chosen = {saved};
  dialog->OnOpen();
  EXPECT_TRUE(prompts.messages.empty());
  EXPECT_EQ(controls.text(IDC_SERVER), "server-0.example");

  // A write failure names the file in the message, in UTF-8.
  WriteOps failing = WriteOps::system();
  failing.write = [](NativeFile, const void*, std::size_t) -> long {
    errno = ENOSPC;
    return -1;
  };
  controls = FakeControls{};
  start(goodConfigBytes(), failing);
  prompts.messages.clear();
  prompts.chosen = {dir.path() / utf8Path(kWideName + "-2.bin")};
  dialog->OnSave();
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_NE(prompts.messages[0].text.find(kWideName + "-2.bin"), std::string::npos)
      << prompts.messages[0].text;
}

TEST_F(DialogTest, ListGivenAtStartOpensAsOpenDoesOnceTheWindowIsShown) {
  const fs::path list = dir / "site.bin";
  writeList(list, tableStartingWith(makeEntry("vpn.example.com", 8443, "admin", "secret")));
  listAtStart = list;
  start();
  // Not before the window is up, or its messages would stand over nothing.
  EXPECT_EQ(dialog->editor().table(), initialTable());
  dialog->OnShown();
  EXPECT_TRUE(prompts.messages.empty());
  EXPECT_EQ(controls.text(IDC_SERVER), "vpn.example.com");
  EXPECT_TRUE(prompts.files.empty());
  // Shown again (restored after being minimised): the typing stays.
  controls.type(IDC_SERVER, "typed.example");
  dialog->OnShown();
  EXPECT_EQ(controls.text(IDC_SERVER), "typed.example");

  listAtStart = dir / "missing.bin";
  controls = FakeControls{};
  started();
  dialog->OnShown();
  EXPECT_EQ(prompts.texts(), std::vector<std::string>{
                                 "abort!\n" + utf8(dir.path() / "missing.bin") + ": not found"});
}

TEST_F(DialogTest, ListGivenAtStartIsShownReadOnlyWithoutAConfiguration) {
  const fs::path list = dir / "site.bin";
  const ServerTable table =
      tableStartingWith(makeEntry("vpn.example.com", 8443, "admin", "secret"));
  writeList(list, table);
  listAtStart = list;
  start(std::nullopt);
  prompts.messages.clear();
  dialog->OnShown();
  // After the configuration's own message, one box says why nothing can be
  // changed and where the configuration belongs; the list is there to look at.
  ASSERT_EQ(prompts.messages.size(), 1u);
  const Shown& shown = prompts.messages[0];
  EXPECT_EQ(shown.text, std::string(kReadOnlyListText) + "\n" + configPlacementAdvice());
  EXPECT_NE(shown.text.find("IPConfig.cfg next to the list"), std::string::npos);
  EXPECT_EQ(shown.text.find("--config"), std::string::npos);
  EXPECT_EQ(shown.caption, kAppName);
  EXPECT_EQ(shown.icon, PromptIcon::Stop);
  EXPECT_EQ(dialog->editor().table().entries, table.entries);
  EXPECT_EQ(controls.text(IDC_SERVER), "vpn.example.com");
  EXPECT_FALSE(controls.enabled(IDC_SERVER));
  EXPECT_FALSE(controls.enabled(IDC_SAVE));

  // Stepping and copying still work; closing asks nothing, as nothing can be saved.
  EXPECT_EQ(dialog->OnDeltaPos(+1), 2);
  dialog->OnDeltaPos(-1);
  dialog->OnCopy();
  EXPECT_TRUE(controls.enabled(IDC_PASTE));
  dialog->OnDeltaPos(+1);
  dialog->OnPaste();
  EXPECT_FALSE(dialog->hasUnsavedChanges());
  dialog->OnCancel();
  EXPECT_EQ(controls.closed, DialogResult::Cancel);
  EXPECT_EQ(prompts.messages.size(), 1u);
}

// The file dialogs start where the user last worked with a list during this
// run: the folder of the list given at start, opened, or saved.
TEST_F(DialogTest, FileDialogsStartInTheFolderOfTheLastList) {
  started();
  fs::create_directories(dir / "given");
  fs::create_directories(dir / "opened");
  fs::create_directories(dir / "saved");
  prompts.chosen = {std::nullopt};
  dialog->OnOpen();
  EXPECT_EQ(prompts.files.back().startFolder, fs::path());

  writeList(dir / "given" / "a.bin", initialTable());
  listAtStart = dir / "given" / "a.bin";
  start();
  dialog->OnShown();
  writeList(dir / "opened" / "b.bin", initialTable());
  prompts.chosen = {dir / "opened" / "b.bin"};
  dialog->OnOpen();
  EXPECT_EQ(prompts.files.back().startFolder, dir.path() / "given");

  prompts.chosen = {dir / "saved" / "c"};
  dialog->OnSave();
  EXPECT_EQ(prompts.files.back().startFolder, dir.path() / "opened");

  prompts.chosen = {dir / "missing" / "d.bin"};  // a failed save moves nothing
  dialog->OnSave();
  EXPECT_EQ(prompts.files.back().startFolder, dir.path() / "saved");
  prompts.chosen = {std::nullopt};
  dialog->OnOpen();
  EXPECT_EQ(prompts.files.back().startFolder, dir.path() / "saved");
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_TRUE(prompts.messages[0].text.starts_with("abort!\n"));
}

}  // namespace
}  // namespace sci::test
