#pragma once
// The eight edit fields bound to the editor's form, as one table: the order
// of the read-back, the control, the form field, its kind, its typing limit
// and whether it is a hidden mirror of a visible field. Showing a form,
// reading it back, the limits and the focus all walk this table.

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "editor/EntryForm.h"
#include "ui/DialogResources.h"
#include "ui/PortText.h"

namespace sci {

class DialogControls;
class DialogPrompts;

enum class FieldKind { Text, Port };

struct FieldBinding {
  ControlId control;
  Field field;
  FieldKind kind;
  std::size_t limit;  // typing limit in characters; 0 for none
  // A mirror is never shown: the program alone fills it, and the focus goes
  // to the visible field it mirrors.
  std::optional<Field> mirrorOf;
};

// In read-back order.
extern const std::array<FieldBinding, 8> kFieldBindings;

const FieldBinding& bindingOf(Field field);

// The read-back's messages.
inline constexpr const char* kNotPositiveText = "Please enter a positive integer.";
std::string tooLongText(std::size_t limit);  // "Please enter no more than N characters."

// Gives each field its typing limit.
void applyInputLimits(DialogControls& controls);

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
