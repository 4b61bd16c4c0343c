#include "ui/FocusReturningPrompts.h"

namespace sci {

// Taken before a prompt and given back after it, also when the prompt throws.
class FocusReturningPrompts::Return {
 public:
  Return(DialogControls& controls, int& open)
      : controls_(controls), open_(open), focused_(controls.focusedControl()) {
    ++open_;
  }
  Return(const Return&) = delete;
  Return& operator=(const Return&) = delete;

  ~Return() {
    --open_;
    controls_.activate();
    // The control may have been disabled meanwhile (a configuration that
    // failed its check); the window then keeps the focus where it put it.
    if (focused_ != 0 && controls_.enabled(focused_)) controls_.focus(focused_);
  }

 private:
  DialogControls& controls_;
  int& open_;
  const ControlId focused_;
};

PromptAnswer FocusReturningPrompts::message(std::string_view text, std::string_view caption,
                                            PromptIcon icon, PromptButtons buttons) {
  const Return focusReturn(controls_, open_);
  return prompts_.message(text, caption, icon, buttons);
}

std::optional<std::filesystem::path> FocusReturningPrompts::chooseFile(const FileRequest& request) {
  const Return focusReturn(controls_, open_);
  return prompts_.chooseFile(request);
}

}  // namespace sci
