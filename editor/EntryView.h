#pragma once
// What the editor needs from the window that shows one entry.

#include "editor/EntryForm.h"

namespace sci {

class EntryView {
 public:
  virtual ~EntryView() = default;

  // Shows the values; a field whose text changes loses its change mark, a
  // field that already shows the new text keeps it.
  virtual void pushForm(const EntryForm& form) = 0;

  // Reads the fields back in binding order into form. May stop part-way
  // after telling the user why (returns false); later values stay as they were.
  virtual bool pullForm(EntryForm& form) = 0;

  // Whether the user changed the field since the program last set its text.
  virtual bool fieldModified(Field field) const = 0;

  virtual void focusField(Field field) = 0;

  // "Invalid input data!\nDiscard current server connection information ?";
  // true for OK.
  virtual bool askDiscard() = 0;

  virtual void setPasteEnabled(bool enabled) = 0;
};

}  // namespace sci
