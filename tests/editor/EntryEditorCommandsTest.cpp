// Copy, Paste and Delete.

#include <gtest/gtest.h>

#include "tests/editor/EditorFixture.h"

namespace sci::test {
namespace {

using CommandsTest = EditorFixture;

TEST_F(CommandsTest, CopyOfIncompleteEntryChangesNothing) {
  const ServerEntry incomplete[] = {
      DefaultEntry(),
      makeEntry("server.example", 0, "11 22", "user", "pass"),
      makeEntry("server.example", 80, "00 22 33", "user", "pass"),
      makeEntry("server.example", 80, "11 22", "user", ""),
  };
  for (const ServerEntry& e : incomplete) {
    ServerTable table = initialTable();
    table.entries[0] = e;
    table.entries[1] = makeEntry("target.example", 90, "33", "target", "tpass");
    open(table);
    const auto pasteCalls = view.pasteEnabledCalls;

    editor.Copy();
    EXPECT_FALSE(editor.clipValid());
    EXPECT_EQ(view.pasteEnabledCalls, pasteCalls);

    spin(+1);
    editor.Paste();
    EXPECT_EQ(editor.table(), table);
    spin(-1);
  }
  EXPECT_EQ(view.pasteEnabledCalls, std::vector<bool>{false});
}

TEST_F(CommandsTest, OneGoodCopyEnablesPasteForTheRest) {
  const ServerTable table = distinctTable();
  open(table);
  editor.Copy();
  EXPECT_TRUE(editor.clipValid());
  EXPECT_EQ(view.pasteEnabledCalls, (std::vector<bool>{false, true}));

  spin(+4);
  editor.Delete();
  editor.Copy();  // the deleted slot is incomplete: the clip stays
  editor.Paste();
  EXPECT_EQ(entry(4), table.entries[0]);
  EXPECT_EQ(view.text(Field::Server), distinctServer(0));

  open(initialTable());  // a new list keeps position and clip
  EXPECT_EQ(editor.current(), 4);
  editor.Paste();
  EXPECT_EQ(entry(4), table.entries[0]);
  EXPECT_TRUE(editor.clipValid());
  EXPECT_EQ(view.pasteEnabledCalls.back(), true);
  EXPECT_EQ(std::count(view.pasteEnabledCalls.begin(), view.pasteEnabledCalls.end(), false), 1);
}

TEST_F(CommandsTest, CopyStoresTheFormFirst) {
  open(distinctTable());
  view.type(Field::Server, "edited.example.org");
  editor.Copy();
  spin(+1);
  editor.Paste();
  EXPECT_EQ(getText(entry(0).server), "edited.example.org");
  EXPECT_EQ(entry(1), entry(0));
}

TEST_F(CommandsTest, PasteDiscardsUnstoredEditsWithoutAQuestion) {
  open(distinctTable());
  editor.Copy();
  spin(+1);
  view.type(Field::Server, "bad");
  editor.Paste();
  EXPECT_EQ(view.discardQuestions, 0);
  EXPECT_EQ(view.text(Field::Server), distinctServer(0));
  EXPECT_FALSE(editor.IsFormModified());
}

TEST_F(CommandsTest, DeleteRestoresTheDefaultEntry) {
  const ServerTable table = distinctTable();
  open(table);
  spin(+2);
  view.type(Field::Password, "unsaved");
  editor.Delete();

  EXPECT_EQ(entry(2), DefaultEntry());
  EXPECT_EQ(view.text(Field::Key), formatKey(DefaultEntry()));
  EXPECT_EQ(view.text(Field::Port), "0");
  EXPECT_EQ(view.text(Field::UserName), "");
  EXPECT_EQ(view.text(Field::Password), "");
  EXPECT_EQ(view.discardQuestions, 0);
  for (std::size_t i = 0; i < kEntryCount; ++i) {
    if (i != 2) {
      EXPECT_EQ(entry(i), table.entries[i]);
    }
  }
}

}  // namespace
}  // namespace sci::test
