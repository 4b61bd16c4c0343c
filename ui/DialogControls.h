#pragma once
// What the toolkit-free dialog needs of its window: the controls, addressed
// by their template ids, and the window itself. Texts are UTF-8; each front
// end converts to and from its toolkit's strings at this edge only.

#include <cstddef>
#include <string>
#include <string_view>

#include "ui/DialogResources.h"

namespace sci {

enum class DialogResult { Ok, Cancel };

// What the user may bring into an edit field besides its typing limit.
enum class FieldKind {
  // Only characters that have a single-byte form, typed or pasted.
  Text,
  // Typed characters are decimal digits; the read-back judges pasted text.
  Port,
};

class DialogControls {
 public:
  virtual ~DialogControls() = default;

  virtual std::string text(ControlId id) const = 0;
  // Clears the control's modification flag, as setting an edit's text does.
  virtual void setText(ControlId id, std::string_view text) = 0;
  // Whether the user changed the text since it was last set.
  virtual bool modified(ControlId id) const = 0;
  // How many characters the user may type or paste; text set by the program
  // is not cut.
  virtual void setInputLimit(ControlId id, std::size_t characters) = 0;
  // Set once, before the user types.
  virtual void setFieldKind(ControlId id, FieldKind kind) = 0;

  virtual void focus(ControlId id) = 0;
  // The control with the focus, or 0 when none of the window's has it.
  virtual ControlId focusedControl() const = 0;
  // Makes the window the active one again after a box or file dialog it
  // owned has closed, however it was closed, and keeps it so once that
  // window is really gone: the focus the core gives afterwards must hold.
  virtual void activate() = 0;
  // Focus with the whole text selected, where a refused field is shown.
  virtual void focusAndSelectAll(ControlId id) = 0;

  virtual void setEnabled(ControlId id, bool enabled) = 0;
  virtual bool enabled(ControlId id) const = 0;

  virtual void setCaption(std::string_view caption) = 0;
  // The spin control's range and position, 1-based as the user sees it.
  virtual void setPositionRange(int lowest, int highest) = 0;
  virtual void setPosition(int position) = 0;

  virtual void close(DialogResult result) = 0;
};

}  // namespace sci
