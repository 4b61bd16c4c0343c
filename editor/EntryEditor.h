#pragma once
// The editing logic over the server list: which entry is on screen, moving
// values between it and the view, validation, and the list commands.

#include <string>

#include "data/ServerEntry.h"
#include "editor/EntryForm.h"
#include "editor/EntryView.h"

namespace sci {

class EntryEditor {
 public:
  // Starts with the initial table (every slot empty) on entry 0. Shows nothing
  // until ShowEntry() is called.
  explicit EntryEditor(EntryView& view);

  void ShowEntry();
  bool IsFormModified() const;
  int ValidateForm();  // 0 passes; 1 server, 4 user name, 5 password
  bool StoreEntry();

  // Called before the list position changes, with the position the spin
  // control shows (1..20) and its proposed change; returns the change to
  // apply (0 cancels). Positions wrap round 1..20 for changes of any size.
  // A single step across an end returns iDelta itself, for the wrapping
  // control to wrap; any other change comes back as the plain difference to
  // the new position, so iPos + result stays within 1..20. Either way the
  // control must end up showing current() + 1.
  int MoveTo(int iPos, int iDelta);

  void Copy();
  void Paste();
  void Delete();
  void UpdatePasteButton();

  int current() const { return current_; }
  const ServerTable& table() const { return table_; }
  const EntryForm& form() const { return form_; }
  bool clipValid() const { return clipValid_; }

  // After a good Open: the whole table is replaced, position and clip kept.
  void replaceTable(const ServerTable& table);

  static constexpr const char* kDiscardQuestion =
      "Invalid input data!\nDiscard current server connection information ?";
  static constexpr const char* kDiscardCaption = "SCI";

 private:
  EntryView& view_;
  ServerTable table_;
  int current_ = 0;
  ServerEntry clip_{};
  bool clipValid_ = false;
  EntryForm form_;
};

}  // namespace sci
