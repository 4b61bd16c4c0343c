// The focus after every message box and file dialog: the window is active
// again with the focus on the control that had it, and a field refused by
// the read-back takes it after the message. Each front end carries this out
// with its own calls; the decision is tested here once.

#include <functional>

#include "tests/ui/DialogFixture.h"

namespace sci::test {
namespace {

namespace fs = std::filesystem;

struct FocusCase {
  const char* name;
  std::function<void(DialogTest&, FakeControls&, FakePrompts&, ServerListDialog&)> act;
  int prompts;  // boxes and file dialogs shown
  ControlId focusAfter;
  bool selectedAll;  // a refused field shows its whole text
};

class PromptFocus : public DialogTest, public ::testing::WithParamInterface<FocusCase> {
 public:
  void act(const FocusCase& c) { c.act(*this, controls, prompts, *dialog); }
  fs::path folder() const { return dir.path(); }
};

const FocusCase kFocusCases[] = {
    {"open cancelled", [](auto&, auto&, auto&, auto& d) { d.OnOpen(); }, 1, IDC_USER_NAME, false},
    {"open of a missing file, then its message",
     [](auto& t, auto&, auto& p, auto& d) {
       p.chosen = {static_cast<PromptFocus&>(t).folder() / "missing.bin"};
       d.OnOpen();
     },
     2, IDC_USER_NAME, false},
    {"save cancelled", [](auto&, auto&, auto&, auto& d) { d.OnSave(); }, 1, IDC_USER_NAME, false},
    {"discard question, Cancel",
     [](auto&, auto& c, auto& p, auto& d) {
       c.type(IDC_SERVER, "short");
       p.answers = {PromptAnswer::Cancel};
       d.OnDeltaPos(1);
     },
     // The entry stays, and the editor shows where it cannot be stored.
     1, IDC_SERVER, false},
    {"save question on Esc, Cancel",
     [](auto&, auto& c, auto& p, auto& d) {
       c.type(IDC_SERVER, "typed.example");
       p.answers = {PromptAnswer::Cancel};
       d.OnCancel();
     },
     1, IDC_USER_NAME, false},
    {"refused port on Enter",
     [](auto&, auto& c, auto&, auto& d) {
       c.type(IDC_PORT, "");
       d.OnOK();
     },
     1, IDC_PORT, true},
};

TEST_P(PromptFocus, WindowIsActiveWithTheFocusWhereTheCorePutsIt) {
  const FocusCase& c = GetParam();
  started();
  controls.focus(IDC_USER_NAME);
  controls.activations = 0;
  // Each box takes the activation and the focus with it, as a real one does.
  int shown = 0;
  prompts.whileShown = [&] {
    ++shown;
    controls.active = false;
    controls.focused.reset();
  };
  act(c);
  EXPECT_EQ(shown, c.prompts);
  EXPECT_EQ(controls.activations, c.prompts) << "the window is activated after every prompt";
  EXPECT_TRUE(controls.active);
  EXPECT_EQ(controls.focused, c.focusAfter);
  EXPECT_EQ(controls.selectedAll.has_value(), c.selectedAll);
  EXPECT_FALSE(controls.closed);
}

INSTANTIATE_TEST_SUITE_P(Prompts, PromptFocus, ::testing::ValuesIn(kFocusCases),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           for (char& ch : name)
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return name;
                         });

// A control disabled while the box was up (editing withdrawn) is not given
// the focus back; the window is still activated.
TEST_F(DialogTest, FocusIsNotGivenBackToADisabledControl) {
  started();
  controls.focus(IDC_SERVER);
  controls.activations = 0;
  prompts.whileShown = [&] {
    controls.focused.reset();
    dialog->enableEditing(false);
  };
  dialog->OnOpen();
  EXPECT_EQ(controls.activations, 1);
  EXPECT_FALSE(controls.focused);
}

}  // namespace
}  // namespace sci::test
