#pragma once
// The prompts as the dialog core uses them. A window manager, or Qt's
// offscreen platform, need not activate the window again when a box it
// owned closes, so typing and Tab went nowhere; each front end had its own
// cure. Here the rule is one: after every box and file dialog, however it
// was closed, the window is active and the focus is on the control that
// had it. A caller that moves the focus afterwards (a refused field) does
// so after this, so it wins.

#include "ui/DialogControls.h"
#include "ui/DialogPrompts.h"

namespace sci {

class FocusReturningPrompts : public DialogPrompts {
 public:
  FocusReturningPrompts(DialogPrompts& prompts, DialogControls& controls)
      : prompts_(prompts), controls_(controls) {}

  PromptAnswer message(std::string_view text, std::string_view caption, PromptIcon icon,
                       PromptButtons buttons) override;
  std::optional<std::filesystem::path> chooseFile(const FileRequest& request) override;

  // Whether a box or file dialog is up: the user is in the middle of a
  // decision that nothing else should ask over.
  bool anyOpen() const { return open_ > 0; }

 private:
  class Return;

  DialogPrompts& prompts_;
  DialogControls& controls_;
  int open_ = 0;
};

}  // namespace sci
