#pragma once
// The eight edit fields bound to the editor's form, as one table: the order
// of the read-back, the control, the form field and its kind. Typing limits
// and hidden mirrors are the form's (typingLimit, mirrorOf). Showing a form,
// reading it back, the fields' input rules and the focus all walk this table.

#include <array>
#include <cstddef>
#include <string>

#include "editor/EntryForm.h"
#include "ui/DialogControls.h"

namespace sci {

class DialogPrompts;

struct FieldBinding {
  ControlId control;
  Field field;
  FieldKind kind;
};

// In read-back order.
extern const std::array<FieldBinding, 8> kFieldBindings;

const FieldBinding& bindingOf(Field field);

// The read-back's messages.
inline constexpr const char* kNotPositiveText = "Please enter a positive integer.";
std::string tooLongText(std::size_t limit);  // "Please enter no more than N characters."

// Gives each field its kind and typing limit.
void applyFieldRules(DialogControls& controls);

// A field that already shows its new text is not rewritten and keeps its
// change mark.
void pushForm(DialogControls& controls, const EntryForm& form);

// Stops at the first field it refuses, after saying why (caption) and
// putting the focus there with the text selected; later values stay as they were.
bool pullForm(DialogControls& controls, DialogPrompts& prompts, const std::string& caption,
              EntryForm& form);

bool fieldModified(const DialogControls& controls, Field field);
void focusField(DialogControls& controls, Field field);

}  // namespace sci
