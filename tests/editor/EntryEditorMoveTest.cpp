// Moving through the list: wrapping, the index agreeing with the spin
// control, and when a move stores, asks or leaves the entry alone.

#include <gtest/gtest.h>

#include <climits>

#include "editor/ListPositions.h"
#include "tests/editor/EditorFixture.h"

namespace sci::test {
namespace {

struct MoveCase {
  int from;
  int change;
  int to;
};

class MoveTest : public EditorFixture, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(MoveTest, LandsOnPositionAndShowsItsEntry) {
  const MoveCase c = GetParam();
  const ServerTable table = distinctTable();
  open(table);
  while (spinPosition != c.from) spin(+1);

  spin(c.change);

  EXPECT_EQ(spinPosition, c.to);
  EXPECT_EQ(editor.current(), c.to - 1);
  EXPECT_EQ(view.text(Field::Server), distinctServer(c.to - 1));
  EXPECT_EQ(view.discardQuestions, 0);
  EXPECT_EQ(editor.table(), table);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, MoveTest,
    ::testing::Values(MoveCase{1, +1, 2}, MoveCase{7, -1, 6}, MoveCase{1, -1, kLastPosition},
                      MoveCase{kLastPosition, +1, 1}, MoveCase{3, +5, 8}, MoveCase{12, -10, 2},
                      // Larger changes wrap round the positions as single steps do.
                      MoveCase{15, +10, 5}, MoveCase{5, -10, 15}, MoveCase{kLastPosition, +10, 10},
                      MoveCase{1, -10, 11}, MoveCase{10, +45, 15}, MoveCase{4, -kLastPosition, 4},
                      MoveCase{7, INT_MAX, 14}, MoveCase{7, INT_MIN, 19}));

TEST_F(MoveTest, StepsRoundTheListBothWaysWithoutTouchingIt) {
  const ServerTable table = distinctTable();
  open(table);
  for (int change : {+1, -1}) {
    for (int step = 0; step < 45; ++step) {
      spin(change);
      ASSERT_GE(editor.current(), 0);
      ASSERT_LT(editor.current(), static_cast<int>(kEntryCount));
      ASSERT_EQ(editor.current(), spinPosition - 1);
      ASSERT_EQ(view.text(Field::Server), distinctServer(editor.current()));
    }
  }
  EXPECT_EQ(view.pullCount, 0);
  EXPECT_EQ(view.discardQuestions, 0);
  EXPECT_EQ(editor.table(), table);
}

TEST_F(MoveTest, UnmarkedInvalidEntryIsLeftWithoutAQuestion) {
  spin(+1);
  spin(-1);
  EXPECT_EQ(view.pullCount, 0);
  EXPECT_EQ(view.discardQuestions, 0);
  EXPECT_EQ(editor.table(), initialTable());
}

// The server field of entry 1 shows the text just typed on entry 0, so the
// push does not rewrite it and its mark carries over to entry 1.
struct CarriedMarkCase {
  std::string nextPassword;
  bool asks;
};

class CarriedMarkTest : public EditorFixture,
                        public ::testing::WithParamInterface<CarriedMarkCase> {};

TEST_P(CarriedMarkTest, NextMoveHandlesTheNewEntry) {
  const std::string shared = "shared.example.org";
  ServerTable table = distinctTable();
  table.entries[1] = makeEntry(shared, 81, "", "next", GetParam().nextPassword);
  open(table);

  view.type(Field::Server, shared);
  spin(+1);
  EXPECT_EQ(getText(entry(0).server), shared);
  EXPECT_EQ(view.discardQuestions, 0);
  EXPECT_TRUE(editor.IsFormModified());

  if (GetParam().asks) view.discardAnswers = {true};
  spin(+1);
  EXPECT_EQ(view.pullCount, 2);
  EXPECT_EQ(view.discardQuestions, GetParam().asks ? 1 : 0);
  EXPECT_EQ(editor.current(), 2);
  EXPECT_EQ(entry(1), table.entries[1]);
}

INSTANTIATE_TEST_SUITE_P(Marks, CarriedMarkTest,
                         ::testing::Values(CarriedMarkCase{"valid-pass", false},
                                           CarriedMarkCase{"abc", true}));

// A form that fails validation: the check that fails first decides the code,
// the focus and which confirmation mirror is emptied; the discard answer
// decides whether the move happens.
struct RefusedCase {
  std::vector<std::pair<Field, std::string>> edits;
  int code;
  Field focus;
};

class RefusedStoreTest : public EditorFixture,
                         public ::testing::WithParamInterface<std::tuple<RefusedCase, bool>> {};

TEST_P(RefusedStoreTest, KeepsStoredEntry) {
  const auto& [c, discard] = GetParam();
  const ServerTable table = distinctTable();
  open(table);
  spin(+2);
  for (const auto& [field, text] : c.edits) view.type(field, text);

  const int pushes = view.pushCount;
  EXPECT_FALSE(editor.StoreEntry());
  EXPECT_EQ(view.pushCount, pushes);  // the refused values stay in the fields
  EXPECT_EQ(view.focused, c.focus);
  EXPECT_EQ(editor.ValidateForm(), c.code);
  EXPECT_EQ(editor.form().serverConfirm.empty(), c.code == 1);
  EXPECT_EQ(editor.form().passwordConfirm.empty(), c.code == 5);

  view.discardAnswers = {discard};
  const int applied = spin(+1);

  EXPECT_EQ(view.discardQuestions, 1);
  EXPECT_EQ(applied, discard ? 1 : 0);
  EXPECT_EQ(spinPosition, discard ? 4 : 3);
  EXPECT_EQ(editor.current(), spinPosition - 1);
  EXPECT_EQ(editor.table(), table);
  EXPECT_EQ(view.text(Field::Server), distinctServer(editor.current()));
  EXPECT_EQ(view.text(Field::UserName), getText(entry(editor.current()).userName));
  // The refused edits are gone from the fields, so the next move is quiet.
  spin(+1);
  EXPECT_EQ(view.discardQuestions, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Checks, RefusedStoreTest,
    ::testing::Combine(
        ::testing::Values(
            RefusedCase{{{Field::Server, "short77"}}, 1, Field::Server},
            RefusedCase{{{Field::UserName, ""}}, 4, Field::UserName},
            RefusedCase{{{Field::Password, "abc"}}, 5, Field::Password},
            RefusedCase{{{Field::Server, ""}, {Field::Password, ""}}, 1, Field::Server},
            RefusedCase{{{Field::UserName, ""}, {Field::Password, "x"}}, 4, Field::UserName}),
        ::testing::Bool()));

}  // namespace
}  // namespace sci::test
