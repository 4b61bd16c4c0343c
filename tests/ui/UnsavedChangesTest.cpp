// Closing with work that no file holds: what counts as unsaved, what clears
// it, and every way of closing with each answer to the question.

#include <functional>

#include "data/ServerListFile.h"
#include "tests/ui/DialogFixture.h"
#include "ui/DialogConstants.h"

namespace sci::test {
namespace {

namespace fs = std::filesystem;

// A dialog on a list whose first two entries are complete.
class UnsavedTest : public DialogTest {
 protected:
  void SetUp() override {
    started();
    ServerTable table = initialTable();
    table.entries[0] = makeEntry("first.example", 21, "ana", "secret1");
    table.entries[1] = makeEntry("second.example", 22, "ben", "secret2");
    writeList(list, table);
    dialog->openList(list);
    ASSERT_TRUE(prompts.messages.empty());
    ASSERT_FALSE(dialog->hasUnsavedChanges());
  }

  const fs::path list = dir / "site.bin";
};

struct ChangeCase {
  const char* name;
  std::function<void(ServerListDialog&, FakeControls&)> change;
  bool unsaved;
};

const ChangeCase kChanges[] = {
    {"typed into a field", [](auto&, FakeControls& c) { c.type(IDC_USER_NAME, "carla"); }, true},
    {"typed, then put back as shown",
     [](auto&, FakeControls& c) {
       c.type(IDC_USER_NAME, "carla");
       c.type(IDC_USER_NAME, "ana");
     },
     false},
    {"stored by moving away",
     [](ServerListDialog& d, FakeControls& c) {
       c.type(IDC_PORT, "8443");
       d.OnDeltaPos(+1);
     },
     true},
    {"pasted over another entry",
     [](ServerListDialog& d, auto&) {
       d.OnCopy();
       d.OnDeltaPos(+1);
       d.OnPaste();
     },
     true},
    {"deleted", [](ServerListDialog& d, auto&) { d.OnDelete(); }, true},
    {"an empty entry deleted",
     [](ServerListDialog& d, auto&) {
       d.OnDeltaPos(-1);
       d.OnDelete();
     },
     false},
    {"only stepped through and copied",
     [](ServerListDialog& d, auto&) {
       d.OnDeltaPos(+1);
       d.OnCopy();
       d.OnDeltaPos(-1);
     },
     false},
};

TEST_F(UnsavedTest, ChangesThatNoFileHoldsAreUnsaved) {
  for (const ChangeCase& c : kChanges) {
    SCOPED_TRACE(c.name);
    controls = FakeControls{};
    SetUp();
    c.change(*dialog, controls);
    EXPECT_EQ(dialog->hasUnsavedChanges(), c.unsaved);
  }
}

TEST_F(UnsavedTest, OpeningOrSavingClearsTheMarkAFailedSaveDoesNot) {
  controls.type(IDC_SERVER, "changed.example");
  dialog->OnDeltaPos(+1);
  controls.type(IDC_USER_NAME, "typed");

  prompts.chosen = {dir / "missing-folder" / "x.bin"};
  dialog->OnSave();
  EXPECT_EQ(prompts.messages.size(), 1u);
  EXPECT_TRUE(dialog->hasUnsavedChanges());

  prompts.chosen = {dir / "saved.bin"};
  dialog->OnSave();
  EXPECT_FALSE(dialog->hasUnsavedChanges());
  // The typed field was not complete enough to store, yet the user saved
  // on purpose; only what is typed from here on counts again.
  controls.type(IDC_USER_NAME, "typed again");
  EXPECT_TRUE(dialog->hasUnsavedChanges());

  prompts.chosen = {list};
  dialog->OnOpen();
  EXPECT_FALSE(dialog->hasUnsavedChanges());
  controls.type(IDC_SERVER, "x");
  prompts.chosen = {dir / "short.bin"};
  writeFile(dir / "short.bin", std::vector<std::uint8_t>(10));
  dialog->OnOpen();  // refused: the list and the typed text stay
  EXPECT_TRUE(dialog->hasUnsavedChanges());
}

// Enter and Esc close the window; the system's end of the session asks
// whether the program may end, and the system then ends it.
enum class Way { Enter, Cancel, EndSession };

struct CloseCase {
  const char* name;
  Way way;
  PromptAnswer answer;
  const char* saveTo;  // for Yes: the name chosen; nullptr: the dialog is cancelled
  bool closes;
  bool written;
};

const CloseCase kCloses[] = {
    {"Enter, Yes, saved", Way::Enter, PromptAnswer::Yes, "out.bin", true, true},
    {"Esc, Yes, saved", Way::Cancel, PromptAnswer::Yes, "out.bin", true, true},
    {"Esc, Yes, save dialog cancelled", Way::Cancel, PromptAnswer::Yes, nullptr, false, false},
    {"Enter, Yes, save fails", Way::Enter, PromptAnswer::Yes, "no-folder/out.bin", false, false},
    {"Enter, No", Way::Enter, PromptAnswer::No, nullptr, true, false},
    {"Esc, No", Way::Cancel, PromptAnswer::No, nullptr, true, false},
    {"Enter, Cancel", Way::Enter, PromptAnswer::Cancel, nullptr, false, false},
    {"Esc, Cancel", Way::Cancel, PromptAnswer::Cancel, nullptr, false, false},
    {"log-off, Yes, saved", Way::EndSession, PromptAnswer::Yes, "out.bin", true, true},
    {"log-off, Yes, save fails", Way::EndSession, PromptAnswer::Yes, "no-folder/out.bin", false,
     false},
    {"log-off, No", Way::EndSession, PromptAnswer::No, nullptr, true, false},
    {"log-off, Cancel", Way::EndSession, PromptAnswer::Cancel, nullptr, false, false},
};

TEST_F(UnsavedTest, ClosingAsksOnceAndDoesWhatTheAnswerSays) {
  for (const CloseCase& c : kCloses) {
    SCOPED_TRACE(c.name);
    controls = FakeControls{};
    SetUp();
    controls.type(IDC_SERVER, "typed.example");
    controls.focus(IDC_USER_NAME);
    prompts.answers = {c.answer};
    prompts.chosen = {c.saveTo ? std::optional(dir / c.saveTo) : std::nullopt};
    fs::remove(dir / "out.bin");

    bool ended = false;
    switch (c.way) {
      case Way::Enter:
        dialog->OnOK();
        ended = controls.closed == DialogResult::Ok;
        break;
      case Way::Cancel:
        dialog->OnCancel();
        ended = controls.closed == DialogResult::Cancel;
        break;
      case Way::EndSession:
        ended = dialog->OnQueryEndSession();
        // The system ends the program; the window does not close itself.
        EXPECT_FALSE(controls.closed);
        break;
    }

    ASSERT_FALSE(prompts.messages.empty());
    const Shown& question = prompts.messages[0];
    EXPECT_EQ(question.text, kSaveChangesQuestion);
    EXPECT_EQ(question.caption, kAppName);
    EXPECT_EQ(question.icon, PromptIcon::Question);
    EXPECT_EQ(question.buttons, PromptButtons::YesNoCancel);
    // A failed save says why, and nothing else is said.
    EXPECT_EQ(prompts.messages.size(), std::string_view(c.name).ends_with("fails") ? 2u : 1u);
    EXPECT_EQ(ended, c.closes);
    if (!c.closes) {
      // The window stays as it was: position, typed text, focus, the mark.
      EXPECT_FALSE(controls.closed);
      EXPECT_EQ(controls.text(IDC_SERVER), "typed.example");
      EXPECT_EQ(dialog->editor().current(), 0);
      EXPECT_EQ(controls.focused, IDC_USER_NAME);
      EXPECT_TRUE(dialog->hasUnsavedChanges());
    }
    EXPECT_EQ(fs::exists(dir / "out.bin"), c.written);
    if (c.written) {
      ServerTable saved = initialTable();
      ASSERT_EQ(readServerList(dir / "out.bin", saved), FileResult::Ok);
      EXPECT_EQ(getText(saved.entries[0].server), "typed.example");
    }
  }
}

TEST_F(UnsavedTest, WithoutChangesEveryWayClosesAtOnce) {
  EXPECT_TRUE(dialog->OnQueryEndSession());
  dialog->OnCancel();
  EXPECT_EQ(controls.closed, DialogResult::Cancel);
  controls.closed.reset();
  dialog->OnOK();
  EXPECT_EQ(controls.closed, DialogResult::Ok);
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(UnsavedTest, LogOffOverAnOpenFileDialogWaitsOnlyWithSomethingToLose) {
  std::vector<bool> mayEnd;
  prompts.whileShown = [&] { mayEnd.push_back(dialog->OnQueryEndSession()); };
  dialog->OnSave();  // cancelled; nothing was changed
  controls.type(IDC_SERVER, "typed.example");
  dialog->OnSave();
  EXPECT_EQ(mayEnd, (std::vector<bool>{true, false}));
  // No question over the file dialog, which could start a second Save.
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(UnsavedTest, EnterReadsBackBeforeItAsks) {
  controls.type(IDC_PORT, "");
  prompts.answers = {PromptAnswer::No};
  dialog->OnOK();
  EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Please enter a positive integer."});
  EXPECT_FALSE(controls.closed);
}

}  // namespace
}  // namespace sci::test
