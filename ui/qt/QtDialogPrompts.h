#pragma once
// The dialog core's prompts as the Qt window's message boxes and file
// dialogs, owned by that window.

#include "ui/DialogPrompts.h"
#include "ui/qt/UserPrompts.h"

namespace sci {

class QtDialogPrompts : public DialogPrompts {
 public:
  QtDialogPrompts(UserPrompts& prompts, QWidget& owner) : prompts_(prompts), owner_(owner) {}

  PromptAnswer message(std::string_view text, std::string_view caption, PromptIcon icon,
                       PromptButtons buttons) override;
  std::optional<std::filesystem::path> chooseFile(
      FileDialogMode mode, std::span<const FileFilter> filters,
      const std::filesystem::path& startFolder) override;

 private:
  UserPrompts& prompts_;
  QWidget& owner_;
};

}  // namespace sci
