// The binding table: showing a form, the read-back in its order with its
// messages, change marks, focus, and Enter.

#include "editor/FormLimits.h"
#include "tests/ui/DialogFixture.h"
#include "ui/FieldBinding.h"

namespace sci::test {
namespace {

TEST(FieldBinding, TableHoldsEveryFieldOnceInReadBackOrder) {
  const Field order[] = {Field::Server,   Field::ServerConfirm,  Field::Key,
                         Field::Port,     Field::PortConfirm,    Field::UserName,
                         Field::Password, Field::PasswordConfirm};
  ASSERT_EQ(kFieldBindings.size(), std::size(order));
  for (std::size_t i = 0; i < kFieldBindings.size(); ++i) {
    EXPECT_EQ(kFieldBindings[i].field, order[i]) << i;
    EXPECT_EQ(&bindingOf(order[i]), &kFieldBindings[i]);
  }
  EXPECT_EQ(bindingOf(Field::Server).control, IDC_SERVER);
}

TEST_F(DialogTest, PushKeepsTheChangeMarkOfAFieldThatAlreadyShowsTheText) {
  started();
  controls.type(IDC_USER_NAME, "admin");
  controls.type(IDC_SERVER, "typed.example");
  EntryForm form;
  form.userName = "admin";
  form.server = "other.example";
  dialog->pushForm(form);
  EXPECT_TRUE(dialog->fieldModified(Field::UserName));
  EXPECT_FALSE(dialog->fieldModified(Field::Server));
  EXPECT_EQ(controls.text(IDC_SERVER), "other.example");
  EXPECT_EQ(controls.text(IDC_PORT), "0");
}

TEST_F(DialogTest, TextsCrossAsUtf8AndSingleBytes) {
  started();
  EntryForm form;
  form.userName = "Jos\xe9";  // Windows-1252 e acute
  form.password = "\x80uro";  // the euro sign
  dialog->pushForm(form);
  EXPECT_EQ(controls.text(IDC_USER_NAME), "Jos\xc3\xa9");
  EXPECT_EQ(controls.text(IDC_PASSWORD), "\xe2\x82\xacuro");
  EntryForm back;
  ASSERT_TRUE(dialog->pullForm(back));
  EXPECT_EQ(back.userName, form.userName);
  EXPECT_EQ(back.password, form.password);
}

struct RefusalCase {
  const char* name;
  ControlId control;
  std::string text;
  std::string message;
  ControlId focused;
};

class ReadBack : public DialogTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(ReadBack, StopsAtTheFirstRefusedFieldWithItsMessage) {
  const RefusalCase& c = GetParam();
  started();
  controls.type(IDC_SERVER, "server.example");
  controls.type(IDC_USER_NAME, "user");
  controls.type(IDC_PASSWORD, "changed");
  controls.type(c.control, c.text);
  EntryForm form;
  form.password = "before";
  EXPECT_FALSE(dialog->pullForm(form));
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].text, c.message);
  EXPECT_EQ(prompts.messages[0].caption, kAppName);
  EXPECT_EQ(prompts.messages[0].icon, PromptIcon::Exclamation);
  EXPECT_EQ(prompts.messages[0].buttons, PromptButtons::Ok);
  EXPECT_EQ(controls.focused, c.focused);
  EXPECT_EQ(controls.selectedAll, c.focused);
  // Fields after the refused one are not read.
  EXPECT_EQ(form.password, "before");
}

const RefusalCase kRefusals[] = {
    {"server_too_long", IDC_SERVER, std::string(32, 's'),
     "Please enter no more than 31 characters.", IDC_SERVER},
    {"key_too_long", IDC_KEY, std::string(42, 'k'), "Please enter no more than 41 characters.",
     IDC_KEY},
    {"empty_port", IDC_PORT, "", "Please enter a positive integer.", IDC_PORT},
    {"negative_port", IDC_PORT, "-1", "Please enter a positive integer.", IDC_PORT},
    {"hidden_port_shows_its_field", IDC_PORT_CONFIRM, "x", "Please enter a positive integer.",
     IDC_PORT},
    {"user_name_too_long", IDC_USER_NAME, "fifteen-chars-x",
     "Please enter no more than 12 characters.", IDC_USER_NAME},
};

INSTANTIATE_TEST_SUITE_P(Fields, ReadBack, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogTest, LongHiddenMirrorsNeverStopTheReadBack) {
  started();
  controls.type(IDC_PASSWORD, "fifteen-sec");
  controls.setText(IDC_PASSWORD_CONFIRM, "fifteen-secret!");
  controls.setText(IDC_SERVER_CONFIRM, std::string(40, 'm'));
  EntryForm form;
  EXPECT_TRUE(dialog->pullForm(form));
  EXPECT_TRUE(prompts.messages.empty());
  EXPECT_EQ(form.password, "fifteen-sec");
  EXPECT_EQ(form.passwordConfirm, "fifteen-secret!");
}

TEST_F(DialogTest, FocusOnAMirrorGoesToItsVisibleField) {
  started();
  const std::pair<Field, ControlId> cases[] = {{Field::ServerConfirm, IDC_SERVER},
                                               {Field::PortConfirm, IDC_PORT},
                                               {Field::PasswordConfirm, IDC_PASSWORD},
                                               {Field::Key, IDC_KEY}};
  for (const auto& [field, control] : cases) {
    dialog->focusField(field);
    EXPECT_EQ(controls.focused, control);
  }
}

TEST_F(DialogTest, EnterClosesOnlyWhenEveryFieldReadsBack) {
  started();
  controls.type(IDC_PORT, "");
  dialog->OnOK();
  EXPECT_FALSE(controls.closed);
  EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Please enter a positive integer."});
  // The port as it was shown: nothing to save, so no question either.
  controls.type(IDC_PORT, "0");
  dialog->OnOK();
  EXPECT_EQ(controls.closed, DialogResult::Ok);
  EXPECT_EQ(prompts.messages.size(), 1u);
}

TEST_F(DialogTest, CancelClosesWhateverTheFieldsHold) {
  started();
  controls.type(IDC_PORT, "");
  prompts.answers = {PromptAnswer::No};
  dialog->OnCancel();
  EXPECT_EQ(controls.closed, DialogResult::Cancel);
  EXPECT_EQ(prompts.texts(), std::vector<std::string>{kSaveChangesQuestion});
}

TEST_F(DialogTest, MovingWithAnInvalidFormAsksAndCancelStays) {
  for (const bool discard : {false, true}) {
    SCOPED_TRACE(discard);
    controls = FakeControls{};
    started();
    prompts.answers = {discard ? PromptAnswer::Ok : PromptAnswer::Cancel};
    controls.type(IDC_SERVER, "short");
    const int shown = dialog->OnDeltaPos(+1);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text,
              "Invalid input data!\nDiscard current server connection information ?");
    EXPECT_EQ(prompts.messages[0].caption, "SCI");
    EXPECT_EQ(prompts.messages[0].icon, PromptIcon::Question);
    EXPECT_EQ(prompts.messages[0].buttons, PromptButtons::OkCancel);
    EXPECT_EQ(shown, discard ? 2 : 1);
    EXPECT_EQ(dialog->editor().current(), discard ? 1 : 0);
    EXPECT_EQ(controls.text(IDC_SERVER), "");
    EXPECT_EQ(controls.focused, IDC_SERVER);
  }
}

TEST_F(DialogTest, CopyAndPasteCarryAnEntryToAnotherPosition) {
  started();
  showFirst(makeEntry("server.example", 8080, "user", "secret"));
  dialog->OnCopy();
  EXPECT_TRUE(controls.enabled(IDC_PASTE));
  EXPECT_EQ(dialog->OnDeltaPos(+1), 2);
  dialog->OnPaste();
  EXPECT_EQ(controls.text(IDC_SERVER), "server.example");
  EXPECT_EQ(dialog->editor().table().entries[1], dialog->editor().table().entries[0]);
  dialog->OnDelete();
  EXPECT_EQ(controls.text(IDC_SERVER), "");
  EXPECT_TRUE(prompts.messages.empty());
}

}  // namespace
}  // namespace sci::test
