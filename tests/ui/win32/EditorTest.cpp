// The real sciedit.exe driven from outside by control id with real input:
// start-up with and without a configuration, typing limits, the read-back's
// messages, the spin wrap, Copy/Paste/Delete, Open and Save through the
// system's file dialogs, file errors, Enter and Esc.

#include <gtest/gtest.h>

#include <fstream>
#include <future>
#include <string>

#include "data/DeviceConfig.h"
#include "data/ServerEntry.h"
#include "data/ServerListFile.h"
#include "data/windows/Utf16.h"
#include "tests/ui/win32/Clipboard.h"
#include "tests/ui/win32/Driver.h"
#include "ui/DialogResources.h"

namespace sci::win32::test {
namespace {

using namespace std::chrono_literals;

const std::wstring kTitle = L"Unit A";
// The application name, every message box's caption unless one is named.
const std::wstring kAppName = L"sciedit";

void writeFile(const fs::path& path, std::span<const std::uint8_t> bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void writeConfig(const Folder& folder) {
  writeFile(folder / L"IPConfig.cfg", encodeDeviceConfig("Unit A", 0x1234, 0x89abcdef, 0x42));
}

// A list of the default entries but the first, which names server and port.
void writeList(const fs::path& path, const std::string& server, std::uint16_t port) {
  DeviceConfig config;
  ASSERT_EQ(decodeDeviceConfig(encodeDeviceConfig("Unit A", 1, 2, 3), config), FileResult::Ok);
  ServerTable table = initialTable();
  storeFields(table.entries[0], server, port, formatKey(DefaultEntry()), "user", "pass");
  ASSERT_EQ(writeServerList(path, table, config), FileResult::Ok);
}

const std::wstring kDefaultKey = widen(formatKey(DefaultEntry()));

// A message box's text, caption and answer.
void expectBoxAndPress(Editor& editor, const std::wstring& caption, const std::wstring& text,
                       int button = IDOK) {
  const Box box = editor.waitForBox();
  ASSERT_NE(box.window, nullptr) << "no box with " << narrow(text);
  EXPECT_EQ(box.caption, caption);
  EXPECT_EQ(box.text, text);
  EXPECT_TRUE(pressButton(box.window, button));
  ASSERT_TRUE(editor.waitUntilNoBox());
}

void fillValidEntry(Editor& editor, const std::wstring& server) {
  editor.retype(IDC_SERVER, server);
  editor.retype(IDC_PORT, L"8443");
  editor.retype(IDC_USER_NAME, L"admin");
  editor.retype(IDC_PASSWORD, L"secret");
}

constexpr int kEditing[] = {IDC_SERVER,   IDC_PORT, IDC_KEY, IDC_USER_NAME,
                            IDC_PASSWORD, IDC_OPEN, IDC_SAVE};

TEST(Startup, WithoutConfigurationTheEditorOpensReadOnly) {
  Folder folder;
  Editor editor(folder.path());
  expectBoxAndPress(
      editor, L"VANTO",
      L"Can not open IPConfig.cfg\n" + (folder / L"IPConfig.cfg").wstring() + L": not found");
  EXPECT_EQ(editor.caption(), L"Marlix V1.3");
  for (int id : kEditing) EXPECT_FALSE(editor.enabled(id)) << id;
  for (int id : {IDC_POSITION, IDC_SPIN, IDC_COPY, IDC_DELETE, IDC_EXIT}) {
    EXPECT_TRUE(editor.enabled(id)) << id;
  }
  EXPECT_FALSE(editor.enabled(IDC_PASTE));
  EXPECT_EQ(editor.text(IDC_POSITION), L"1");
  EXPECT_EQ(editor.text(IDC_KEY), kDefaultKey);
  EXPECT_TRUE(editor.clickSpinUntil(true, L"2"));
  EXPECT_EQ(editor.text(IDC_KEY), kDefaultKey);
}

// The program, its list and the folder it starts in all apart, as after an
// install: each place the configuration may be, found with no other there.
TEST(Startup, TheConfigurationIsFoundInEachOfItsPlaces) {
  struct Place {
    const wchar_t* name;
    const char* title;
  };
  const Place places[] = {{L"working folder", "In Work"},
                          {L"list's folder", "Beside List"},
                          {L"program's folder", "Beside Program"},
                          {L"--config", "Named"}};
  for (const Place& place : places) {
    SCOPED_TRACE(narrow(place.name));
    Folder work(L"sciedit-work-"), lists(L"sciedit-lists-\u00E9-"), program(L"sciedit-program-");
    fs::copy_file(sciedit(), program / L"sciedit.exe");
    writeList(lists / L"site.bin", "placed.example", 21);
    const auto config = encodeDeviceConfig(place.title, 1, 2, 3);
    const std::wstring name = place.name;
    std::vector<std::wstring> arguments{(lists / L"site.bin").wstring()};
    if (name == L"working folder") writeFile(work / L"IPConfig.cfg", config);
    if (name == L"list's folder") writeFile(lists / L"IPConfig.cfg", config);
    if (name == L"program's folder") writeFile(program / L"IPConfig.cfg", config);
    if (name == L"--config") {
      writeFile(program / L"model.cfg", config);
      // Named, it wins over every other place.
      writeFile(work / L"IPConfig.cfg", encodeDeviceConfig("Not This One", 1, 2, 3));
      arguments.insert(arguments.begin(), {L"--config", (program / L"model.cfg").wstring()});
    }
    Editor editor(work.path(), arguments, Start::Dialog, program / L"sciedit.exe");
    EXPECT_TRUE(waitUntil([&] { return editor.text(IDC_SERVER) == L"placed.example"; }));
    EXPECT_EQ(editor.caption(), widen(place.title));
    EXPECT_TRUE(editor.enabled(IDC_SAVE));
    EXPECT_FALSE(editor.waitForBox(500ms).window) << "no message when one is found";
  }
}

// "Open with" on a list with no configuration anywhere: the list is shown
// to look at, and the user learns where a configuration belongs.
TEST(Startup, AListWithoutAnyConfigurationIsShownReadOnly) {
  Folder work(L"sciedit-work-"), lists(L"sciedit-lists-"), program(L"sciedit-program-");
  fs::copy_file(sciedit(), program / L"sciedit.exe");
  writeList(lists / L"site.bin", "readonly.example", 21);
  Editor editor(work.path(), {(lists / L"site.bin").wstring()}, Start::Dialog,
                program / L"sciedit.exe");
  expectBoxAndPress(
      editor, L"VANTO",
      L"Can not open IPConfig.cfg\n" + (work / L"IPConfig.cfg").wstring() + L": not found");
  expectBoxAndPress(editor, kAppName,
                    L"The list is shown read-only: editing needs a device configuration.\n"
                    L"Put your device's IPConfig.cfg next to the list or next to sciedit.exe.");
  EXPECT_EQ(editor.text(IDC_SERVER), L"readonly.example");
  EXPECT_FALSE(editor.enabled(IDC_SERVER));
  EXPECT_FALSE(editor.enabled(IDC_SAVE));
  editor.key(VK_ESCAPE);
  EXPECT_EQ(editor.waitForExit(), 0) << "nothing can be saved, so nothing is asked";
}

TEST(Startup, WithConfigurationTheTitleIsTheCaptionAndTheServerHasTheFocus) {
  Folder folder;
  writeConfig(folder);
  Editor editor(folder.path());
  EXPECT_FALSE(editor.waitForBox(1500ms).window) << "no message at a good start";
  EXPECT_EQ(editor.caption(), kTitle);
  for (int id : kEditing) EXPECT_TRUE(editor.enabled(id)) << id;
  EXPECT_FALSE(editor.enabled(IDC_PASTE));
  EXPECT_EQ(editor.focusedId(), IDC_SERVER);
  for (int id : {IDC_SERVER_CONFIRM, IDC_PORT_CONFIRM, IDC_PASSWORD_CONFIRM, IDC_INFO}) {
    EXPECT_FALSE(editor.visible(id)) << id;
  }
  EXPECT_EQ(editor.text(IDC_PORT), L"0");
}

TEST(Fields, TypingStopsAtEachLimitAndRefusesWideCharacters) {
  Folder folder;
  writeConfig(folder);
  Editor editor(folder.path());
  struct Case {
    int id;
    std::size_t limit;
  };
  for (const Case& c : {Case{IDC_SERVER, 31}, Case{IDC_USER_NAME, 12}, Case{IDC_PASSWORD, 11}}) {
    editor.retype(c.id, std::wstring(40, L'x'));
    EXPECT_EQ(editor.text(c.id), std::wstring(c.limit, L'x')) << c.id;
  }
  // The key field shows 41 characters already; nothing more goes in.
  editor.focusField(IDC_KEY);
  editor.type(L"FF");
  EXPECT_EQ(editor.text(IDC_KEY), kDefaultKey);
  // Digits only in the port; Greek and CJK nowhere, Windows-1252 letters do.
  editor.retype(IDC_PORT, L"8a0-8");
  EXPECT_EQ(editor.text(IDC_PORT), L"808");
  editor.retype(IDC_SERVER, L"caf\u00E9\u03A9\u65E5 \u20AC");
  EXPECT_EQ(editor.text(IDC_SERVER), L"caf\u00E9 \u20AC");
  // Ctrl+V: a text with a character outside Windows-1252 is refused whole.
  setClipboardText(L"x\u03A9");
  editor.key('V', {VK_CONTROL});
  EXPECT_EQ(editor.text(IDC_SERVER), L"caf\u00E9 \u20AC");
  setClipboardText(L"-ok");
  editor.key('V', {VK_CONTROL});
  EXPECT_EQ(editor.text(IDC_SERVER), L"caf\u00E9 \u20AC-ok");
}

TEST(Fields, EnterReadsBackComplainsAboutTheEmptyPortThenAsksAndCloses) {
  Folder folder;
  writeConfig(folder);
  Editor editor(folder.path());
  editor.retype(IDC_PORT, L"");
  editor.key(VK_RETURN);
  expectBoxAndPress(editor, kAppName, L"Please enter a positive integer.");
  EXPECT_TRUE(editor.running());
  EXPECT_TRUE(waitUntil([&] { return editor.focusedId() == IDC_PORT; }))
      << "the refused field gets the focus back";
  editor.type(L"21");
  editor.key(VK_RETURN);
  // The port was changed: the question comes once the fields read back.
  expectBoxAndPress(editor, kAppName, L"Save changes to the server list?", IDNO);
  EXPECT_EQ(editor.waitForExit(), 0);
}

// Files in the folder apart from the configuration: what a close wrote.
std::vector<fs::path> writtenFiles(const Folder& folder) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(folder.path())) {
    if (entry.path().filename() != L"IPConfig.cfg") files.push_back(entry.path());
  }
  return files;
}

TEST(Fields, EscWithChangesAsksCancelKeepsTheTextNoClosesWithoutWriting) {
  Folder folder;
  writeConfig(folder);
  Editor editor(folder.path());
  editor.retype(IDC_SERVER, L"unsaved.example");
  editor.key(VK_ESCAPE);
  const Box question = editor.waitForBox();
  ASSERT_NE(question.window, nullptr);
  EXPECT_EQ(question.caption, kAppName);
  EXPECT_EQ(question.text, L"Save changes to the server list?");
  for (int id : {IDYES, IDNO, IDCANCEL}) EXPECT_NE(GetDlgItem(question.window, id), nullptr) << id;
  ASSERT_TRUE(pressButton(question.window, IDCANCEL));
  ASSERT_TRUE(editor.waitUntilNoBox());
  EXPECT_TRUE(editor.running());
  EXPECT_EQ(editor.text(IDC_SERVER), L"unsaved.example");

  // The close box asks the same.
  PostMessageW(editor.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
  expectBoxAndPress(editor, kAppName, L"Save changes to the server list?", IDNO);
  EXPECT_EQ(editor.waitForExit(), 0);
  EXPECT_EQ(writtenFiles(folder), std::vector<fs::path>{});
}

// What Windows sends every program at a log-off or shut-down; the answer
// says whether the session may end.
std::future<bool> queryEndSession(const Editor& editor) {
  return std::async(std::launch::async, [window = editor.window()] {
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 60000,
                        &answer);
    return answer != 0;
  });
}

TEST(Fields, LogOffAsksAboutChangesAndCancelKeepsTheSessionFromEnding) {
  Folder folder;
  writeConfig(folder);
  Editor editor(folder.path());
  EXPECT_TRUE(queryEndSession(editor).get()) << "nothing to lose: no question";
  EXPECT_FALSE(editor.waitForBox(500ms).window);

  editor.retype(IDC_SERVER, L"unsaved.example");
  std::future<bool> ended = queryEndSession(editor);
  expectBoxAndPress(editor, kAppName, L"Save changes to the server list?", IDCANCEL);
  EXPECT_FALSE(ended.get());
  EXPECT_TRUE(editor.running());
  EXPECT_EQ(editor.text(IDC_SERVER), L"unsaved.example");

  ended = queryEndSession(editor);
  expectBoxAndPress(editor, kAppName, L"Save changes to the server list?", IDNO);
  EXPECT_TRUE(ended.get());
  EXPECT_EQ(writtenFiles(folder), std::vector<fs::path>{});
}

TEST(Fields, EscWithoutChangesClosesAtOnce) {
  Folder folder;
  writeConfig(folder);
  Editor editor(folder.path());
  editor.focusField(IDC_SERVER);
  editor.key(VK_ESCAPE);
  EXPECT_EQ(editor.waitForExit(), 0);
  EXPECT_EQ(writtenFiles(folder), std::vector<fs::path>{});
}

TEST(List, SpinWrapsAtBothEndsByKeyAndByMouse) {
  Folder folder;
  writeConfig(folder);
  Editor editor(folder.path());
  editor.focusField(IDC_POSITION);
  editor.key(VK_DOWN);
  EXPECT_TRUE(waitUntil([&] { return editor.text(IDC_POSITION) == L"20"; }));
  editor.key(VK_UP);
  EXPECT_TRUE(waitUntil([&] { return editor.text(IDC_POSITION) == L"1"; }));
  EXPECT_TRUE(editor.clickSpinUntil(false, L"20"));
  EXPECT_TRUE(editor.clickSpinUntil(true, L"1"));
}

TEST(List, InvalidEditsAskBeforeTheMoveAndCancelKeepsThePosition) {
  Folder folder;
  writeConfig(folder);
  Editor editor(folder.path());
  editor.retype(IDC_SERVER, L"short");
  // By key: a box that opens while Wine's up-down control holds the mouse
  // lets it repeat the step once the box is gone.
  editor.focusField(IDC_POSITION);
  editor.key(VK_UP);
  expectBoxAndPress(editor, L"SCI",
                    L"Invalid input data!\nDiscard current server connection information ?",
                    IDCANCEL);
  EXPECT_EQ(editor.text(IDC_POSITION), L"1");
  EXPECT_EQ(editor.text(IDC_SERVER), L"") << "the stored entry is shown again";
}

TEST(List, CopyPasteAndDelete) {
  Folder folder;
  writeConfig(folder);
  Editor editor(folder.path());
  fillValidEntry(editor, L"server.example");
  EXPECT_TRUE(editor.clickUntil(IDC_COPY, [&] { return editor.enabled(IDC_PASTE); }));
  EXPECT_TRUE(editor.clickSpinUntil(true, L"2"));
  EXPECT_EQ(editor.text(IDC_SERVER), L"");
  EXPECT_TRUE(
      editor.clickUntil(IDC_PASTE, [&] { return editor.text(IDC_SERVER) == L"server.example"; }))
      << "at position " << narrow(editor.text(IDC_POSITION));
  EXPECT_EQ(editor.text(IDC_PORT), L"8443");
  EXPECT_EQ(editor.text(IDC_USER_NAME), L"admin");
  EXPECT_EQ(editor.text(IDC_PASSWORD), L"secret");
  EXPECT_TRUE(editor.clickUntil(IDC_DELETE, [&] { return editor.text(IDC_SERVER).empty(); }));
  EXPECT_EQ(editor.text(IDC_KEY), kDefaultKey);
  EXPECT_EQ(editor.text(IDC_PORT), L"0");
}

// Types a path into the file dialog that the button opened and accepts it.
void chooseInFileDialog(Editor& editor, int button, const fs::path& path) {
  editor.clickUntil(button, [&] { return editor.waitForBox(500ms).window != nullptr; });
  const Box dialog = editor.waitForBox();
  ASSERT_NE(dialog.window, nullptr) << "no file dialog";
  // The name field has the focus when the dialog opens.
  editor.type(path.wstring());
  editor.key(VK_RETURN);
  ASSERT_TRUE(editor.waitUntilNoBox()) << "the file dialog stayed open";
}

TEST(Files, SaveAndOpenThroughTheFileDialogsInAFolderOutsideTheAnsiCodePage) {
  Folder folder(L"sciedit-\u03A9\u65E5-");
  writeConfig(folder);
  Editor editor(folder.path());
  fillValidEntry(editor, L"list.example");

  // No extension typed: the editor adds ".bin".
  chooseInFileDialog(editor, IDC_SAVE, folder / L"\u0421\u043F\u0438\u0441\u043E\u043A");
  const fs::path saved = folder / L"\u0421\u043F\u0438\u0441\u043E\u043A.bin";
  // The name appears while the editor still closes its handle, which
  // shares nothing until then.
  ServerTable table = initialTable();
  ASSERT_TRUE(waitUntil([&] { return readServerList(saved, table) == FileResult::Ok; }));
  EXPECT_EQ(fs::file_size(saved), 4124u);
  EXPECT_EQ(getText(table.entries[0].server), "list.example");
  EXPECT_EQ(getText(table.entries[0].userName), "admin");
  // The header's device values come from the configuration.
  const auto header = decodeServerListHeader(fileBytes(saved));
  EXPECT_EQ(header.deviceValue16, 0x1234);
  EXPECT_EQ(header.deviceValue32, 0x89abcdefu);

  EXPECT_TRUE(editor.clickUntil(IDC_DELETE, [&] { return editor.text(IDC_SERVER).empty(); }));
  chooseInFileDialog(editor, IDC_OPEN, saved);
  EXPECT_TRUE(waitUntil([&] { return editor.text(IDC_SERVER) == L"list.example"; }));
  EXPECT_EQ(editor.text(IDC_PASSWORD), L"secret");
  EXPECT_EQ(editor.focusedId() != 0, true) << "the focus is back in the dialog";
}

TEST(Files, RefusedFilesAndFailedSavesSayWhy) {
  Folder folder;
  writeConfig(folder);
  const std::vector<std::uint8_t> shortFile(10, 0);
  writeFile(folder / L"short.bin", shortFile);
  Editor editor(folder.path());

  chooseInFileDialog(editor, IDC_OPEN, folder / L"missing.bin");
  expectBoxAndPress(editor, kAppName,
                    L"abort!\n" + (folder / L"missing.bin").wstring() + L": not found");
  chooseInFileDialog(editor, IDC_OPEN, folder / L"short.bin");
  expectBoxAndPress(
      editor, kAppName,
      L"Length Error!\n" + (folder / L"short.bin").wstring() + L": 10 bytes found, 4124 expected");
  chooseInFileDialog(editor, IDC_SAVE, folder / L"no-such-folder" / L"list.bin");
  expectBoxAndPress(editor, kAppName,
                    L"abort!\n" + (folder / L"no-such-folder" / L"list.bin").wstring() +
                        L": the folder does not exist");
  // A list marked read-only is left alone, and the user is told why.
  writeList(folder / L"locked.bin", "locked.example", 21);
  SetFileAttributesW((folder / L"locked.bin").c_str(), FILE_ATTRIBUTE_READONLY);
  chooseInFileDialog(editor, IDC_SAVE, folder / L"locked.bin");
  expectBoxAndPress(editor, kAppName,
                    L"abort!\n" + (folder / L"locked.bin").wstring() + L": read-only");
  SetFileAttributesW((folder / L"locked.bin").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_TRUE(editor.running());
}

TEST(Shell, AboutFromTheSystemMenuByKeyboardAndBack) {
  Folder folder;
  writeConfig(folder);
  Editor editor(folder.path());
  editor.retype(IDC_SERVER, L"kept.example");
  editor.key(VK_SPACE, {VK_MENU});
  // The last item; its mnemonic would reach Wine's "&About Wine" first.
  editor.key(VK_UP);
  editor.key(VK_RETURN);
  const Box about = editor.waitForBox();
  ASSERT_NE(about.window, nullptr);
  EXPECT_EQ(about.caption, L"About VANTO");
  EXPECT_EQ(GetWindow(about.window, GW_OWNER), editor.window());
  editor.key(VK_RETURN);
  ASSERT_TRUE(editor.waitUntilNoBox());
  EXPECT_EQ(editor.text(IDC_SERVER), L"kept.example");
  EXPECT_EQ(editor.text(IDC_POSITION), L"1");
  EXPECT_TRUE(waitUntil([&] { return editor.focusedId() == IDC_SERVER; }));
}

TEST(Shell, F1ShowsHelpAndEscReturnsToTheField) {
  Folder folder;
  writeConfig(folder);
  Editor editor(folder.path());
  editor.focusField(IDC_KEY);
  editor.key(VK_F1);
  const Box help = editor.waitForBox();
  ASSERT_NE(help.window, nullptr);
  EXPECT_NE(help.caption.find(L"Help"), std::wstring::npos);
  editor.key(VK_ESCAPE);
  ASSERT_TRUE(editor.waitUntilNoBox());
  EXPECT_TRUE(editor.running());
  EXPECT_TRUE(waitUntil([&] { return editor.focusedId() == IDC_KEY; }));
}

TEST(CommandLine, HelpVersionAndUsageErrorsReachAPipe) {
  const Finished version = runWithPipe({L"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_NE(version.output.find("1.0.0.1"), std::string::npos) << version.output;
  const Finished help = runWithPipe({L"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.output.find("--config"), std::string::npos) << help.output;
  const Finished wrong = runWithPipe({L"--no-such-option"});
  EXPECT_EQ(wrong.exitCode, 2);
  EXPECT_NE(wrong.output.find("Usage"), std::string::npos) << wrong.output;
}

TEST(CommandLine, WithoutConsoleOrHandlesAUsageErrorIsAMessageBox) {
  Folder folder;
  Editor editor(folder.path(), {L"--no-such-option"}, Start::Detached);
  const Box box = editor.waitForBox();
  ASSERT_NE(box.window, nullptr);
  EXPECT_EQ(box.caption, kAppName);
  EXPECT_NE(box.text.find(L"Usage"), std::wstring::npos);
  EXPECT_TRUE(pressButton(box.window, IDOK));
  EXPECT_EQ(editor.waitForExit(), 2);
}

TEST(CommandLine, AListNamedOnTheCommandLineOpensWithTheWindow) {
  Folder folder(L"sciedit-\u00E9\u03A9-");
  writeConfig(folder);
  writeList(folder / L"\u65E5.bin", "start.example", 21);
  Editor editor(folder.path(), {(folder / L"\u65E5.bin").wstring()});
  EXPECT_TRUE(waitUntil([&] { return editor.text(IDC_SERVER) == L"start.example"; }));
  EXPECT_EQ(editor.text(IDC_PORT), L"21");
}

// The installed copy as Explorer's "Open with" starts it: on a list, from
// some other folder, so the IPConfig.cfg beside the list is the one used.
// Run by the Windows packaging tests, which name the installed program.
TEST(Installed, OpenWithShowsTheListItIsGiven) {
  ASSERT_TRUE(installedSciedit()) << "SCIEDIT_PROGRAM must name the installed sciedit.exe";
  Folder lists(L"sciedit-lists-\u00E9-");
  writeConfig(lists);
  writeList(lists / L"site.bin", "installed.example", 4433);
  Folder elsewhere;
  Editor editor(elsewhere.path(), {(lists / L"site.bin").wstring()});
  EXPECT_TRUE(waitUntil([&] { return editor.text(IDC_SERVER) == L"installed.example"; }, 30s));
  EXPECT_EQ(editor.text(IDC_PORT), L"4433");
  EXPECT_EQ(editor.caption(), kTitle);
  EXPECT_TRUE(editor.enabled(IDC_SAVE));
}

// The Start-menu shortcut starts the installed copy in the user's documents,
// where there is no configuration: the one installed beside the program is
// found, so editing is offered.
TEST(Installed, StartedFromTheStartMenuFindsTheConfigurationBesideIt) {
  ASSERT_TRUE(installedSciedit()) << "SCIEDIT_PROGRAM must name the installed sciedit.exe";
  Folder documents(L"sciedit-documents-");
  Editor editor(documents.path());
  EXPECT_FALSE(editor.waitForBox(1500ms).window) << "no message: a configuration is found";
  EXPECT_EQ(editor.caption(), L"VANTO Example Device");
  EXPECT_TRUE(editor.enabled(IDC_SAVE));
  editor.key(VK_ESCAPE);
  EXPECT_EQ(editor.waitForExit(), 0);
}

}  // namespace
}  // namespace sci::win32::test
