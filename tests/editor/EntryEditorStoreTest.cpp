// What showing and storing an entry puts into the fields and into the table.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "editor/FormLimits.h"
#include "tests/editor/EditorFixture.h"

namespace sci::test {
namespace {

using StoreTest = EditorFixture;

TEST_F(StoreTest, ShowEntryFillsTheMirrorsAndTheKeyText) {
  open(distinctTable());
  const EntryForm& form = editor.form();
  EXPECT_EQ(form.serverConfirm, form.server);
  EXPECT_EQ(form.portConfirm, form.port);
  EXPECT_EQ(form.passwordConfirm, form.password);
  EXPECT_EQ(form.keyText, "11 22 33 44 55 66 77 88 99 AA BB CC DD EE");
  EXPECT_EQ(view.text(Field::Port), "4000");
}

TEST_F(StoreTest, ChangeMarksAreAskedInOrderUntilTheFirstOne) {
  const std::vector<Field> all = {
      Field::Server, Field::ServerConfirm, Field::Port,     Field::PortConfirm,
      Field::Key,    Field::UserName,      Field::Password, Field::PasswordConfirm};
  EXPECT_FALSE(editor.IsFormModified());
  EXPECT_EQ(view.markQueries, all);

  for (std::size_t marked = 0; marked < all.size(); ++marked) {
    SCOPED_TRACE(marked);
    editor.ShowEntry();  // a fresh empty slot: rewrites nothing that was typed below
    view.type(all[marked], "typed");
    view.markQueries.clear();
    EXPECT_TRUE(editor.IsFormModified());
    EXPECT_EQ(view.markQueries, std::vector<Field>(all.begin(), all.begin() + marked + 1));
    editor.Delete();  // pushes the empty slot again and so clears the mark
  }
}

// Port 0 and an empty key text are accepted; the key then becomes 14 zero
// bytes. The form is stored before a move, a Copy and a Save alike.
enum class Trigger { Move, Copy, Save };

class ValidStoreTest : public EditorFixture, public ::testing::WithParamInterface<Trigger> {};

TEST_P(ValidStoreTest, StoresPortZeroAndEmptyKey) {
  view.type(Field::Server, "10.0.0.1");
  view.type(Field::Port, "0");
  view.type(Field::Key, "");
  view.type(Field::UserName, "operator");
  view.type(Field::Password, "pass");

  switch (GetParam()) {
    case Trigger::Move:
      spin(+1);
      break;
    case Trigger::Copy:
      editor.Copy();
      break;
    case Trigger::Save:
      EXPECT_TRUE(editor.StoreEntry());
      break;
  }

  const ServerEntry& stored = entry(0);
  EXPECT_EQ(getText(stored.server), "10.0.0.1");
  EXPECT_EQ(stored.port(), 0u);
  EXPECT_EQ(stored.key, Key{});
  EXPECT_EQ(getText(stored.userName), "operator");
  EXPECT_EQ(getText(stored.password), "pass");
  EXPECT_EQ(stored.gap, DefaultEntry().gap);
  EXPECT_EQ(view.discardQuestions, 0);
  EXPECT_FALSE(editor.clipValid());  // port 0: not complete, so Copy keeps nothing
  for (std::size_t i = 1; i < kEntryCount; ++i) EXPECT_EQ(entry(i), DefaultEntry());
}

INSTANTIATE_TEST_SUITE_P(Triggers, ValidStoreTest,
                         ::testing::Values(Trigger::Move, Trigger::Copy, Trigger::Save));

// Empty slots carry pattern bytes as user name; they are never shown, so a
// slot with an empty server needs a user name typed before it can be stored.
TEST_F(StoreTest, UserNameOfEntryWithoutServerIsHidden) {
  EXPECT_FALSE(getText(entry(0).userName).empty());
  EXPECT_EQ(view.text(Field::UserName), "");

  ServerTable table = initialTable();
  table.entries[0] = makeEntry("", 80, "", "ghost", "secret1");
  open(table);
  EXPECT_EQ(view.text(Field::UserName), "");
  EXPECT_EQ(editor.form().userName, "");

  view.type(Field::Server, "host.example");
  EXPECT_FALSE(editor.StoreEntry());
  EXPECT_EQ(view.focused, Field::UserName);
  EXPECT_EQ(entry(0), table.entries[0]);

  view.type(Field::UserName, "someone");
  EXPECT_TRUE(editor.StoreEntry());
  EXPECT_EQ(getText(entry(0).server), "host.example");
  EXPECT_EQ(getText(entry(0).userName), "someone");
  EXPECT_EQ(getText(entry(0).password), "secret1");
}

// A read-back that stops part-way: the failing text field has taken its
// whole text, a refused port keeps its value, and the later fields keep what
// was last shown. What was read is validated and stored like a full read.
struct PartialCase {
  const char* name;
  bool applyLimits;
  std::optional<Field> stopAt;
  std::vector<std::pair<Field, std::string>> edits;
  std::string server;
  std::uint32_t port;
  std::string userName;
  std::string password;
  std::vector<std::size_t> limitMessages;
};

class PartialReadBackTest : public EditorFixture,
                            public ::testing::WithParamInterface<PartialCase> {};

TEST_P(PartialReadBackTest, StoresWhatWasRead) {
  const PartialCase& c = GetParam();
  ServerTable table = initialTable();
  table.entries[0] = makeEntry("old.example.org", 8080, "01 02 03", "abcdefghijklmno", "pass1234");
  open(table);
  view.applyLimits = c.applyLimits;
  view.stopAt = c.stopAt;
  for (const auto& [field, text] : c.edits) view.type(field, text);

  spin(+1);

  EXPECT_EQ(view.discardQuestions, 0);
  EXPECT_EQ(editor.current(), 1);
  EXPECT_EQ(view.limitMessages, c.limitMessages);
  const ServerEntry& stored = entry(0);
  EXPECT_EQ(getText(stored.server), c.server);
  EXPECT_EQ(stored.port(), c.port);
  EXPECT_EQ(stored.key, table.entries[0].key);
  EXPECT_EQ(getText(stored.userName), c.userName);
  EXPECT_EQ(getText(stored.password), c.password);
}

INSTANTIATE_TEST_SUITE_P(Stops, PartialReadBackTest,
                         ::testing::Values(PartialCase{"UserNameOverLimit",
                                                       true,
                                                       std::nullopt,
                                                       {{Field::Server, "new.example.org"}},
                                                       "new.example.org",
                                                       8080,
                                                       "abcdefghijklmno",
                                                       "pass1234",
                                                       {kUserNameMaxLength}},
                                           PartialCase{"ServerOverLimit",
                                                       true,
                                                       std::nullopt,
                                                       {{Field::Server, std::string(35, 's')},
                                                        {Field::Password, "other12"}},
                                                       std::string(kServerMaxLength, 's'),
                                                       8080,
                                                       "abcdefghijklmno",
                                                       "pass1234",
                                                       {kServerMaxLength}},
                                           PartialCase{"RefusedPort",
                                                       false,
                                                       Field::Port,
                                                       {{Field::Server, "new.example.org"},
                                                        {Field::Port, "9090"},
                                                        {Field::Password, "changed1"}},
                                                       "new.example.org",
                                                       8080,
                                                       "abcdefghijklmno",
                                                       "pass1234",
                                                       {}}),
                         [](const auto& info) { return std::string(info.param.name); });

// An opened file may hold a password longer than the field lets anyone
// type. Its hidden mirror is only ever filled by the program, so the typing
// limit must not stop the read-back there, or the entry could never be
// stored again.
TEST_F(EditorFixture, LongPasswordMirrorDoesNotStopTheReadBack) {
  ServerTable table = initialTable();
  table.entries[0] = makeEntry("old.example.org", 8080, "01 02 03", "someone", "longpassword123");
  open(table);
  view.applyLimits = true;
  view.type(Field::Password, "newpass1");

  EXPECT_TRUE(editor.StoreEntry());

  EXPECT_EQ(view.limitMessages, std::vector<std::size_t>{});
  EXPECT_EQ(getText(entry(0).password), "newpass1");
}

}  // namespace
}  // namespace sci::test
