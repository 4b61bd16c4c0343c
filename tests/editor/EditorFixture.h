#pragma once
// An editor wired to a fake view and to a spin control that applies the
// returned change the way a wrapping spin box steps: inside the range it adds,
// past an end it stops at that end, and only a step outward from an end wraps.

#include <gtest/gtest.h>

#include <string>

#include "data/ServerEntry.h"
#include "editor/EntryEditor.h"
#include "tests/editor/FakeEntryView.h"

namespace sci::test {

ServerEntry makeEntry(const std::string& server, std::uint32_t port, const std::string& keyText,
                      const std::string& userName, const std::string& password);

// Twenty complete entries that tell themselves apart by their server text.
ServerTable distinctTable();
std::string distinctServer(int index);

int stepSpinControl(int position, int change);

class EditorFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    editor.ShowEntry();
    editor.UpdatePasteButton();
  }

  // As after a good Open: new table, same position, fields shown again.
  void open(const ServerTable& table) {
    editor.replaceTable(table);
    editor.ShowEntry();
  }

  // One spin notification; the control then applies what the editor returned.
  int spin(int change) {
    const int applied = editor.MoveTo(spinPosition, change);
    spinPosition = stepSpinControl(spinPosition, applied);
    return applied;
  }

  const ServerEntry& entry(int index) const { return editor.table().entries.at(index); }

  FakeEntryView view;
  EntryEditor editor{view};
  int spinPosition = 1;
};

}  // namespace sci::test
