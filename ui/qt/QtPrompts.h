#pragma once
// The dialog core's prompts as QMessageBox and QFileDialog, owned by the
// window that shows them.

#include "ui/DialogPrompts.h"

class QWidget;

namespace sci {

class QtPrompts : public DialogPrompts {
 public:
  // owner: the window the boxes belong to; none for boxes of their own.
  explicit QtPrompts(QWidget* owner) : owner_(owner) {}

  PromptAnswer message(std::string_view text, std::string_view caption, PromptIcon icon,
                       PromptButtons buttons) override;
  std::optional<std::filesystem::path> chooseFile(const FileRequest& request) override;

 private:
  QWidget* owner_;
};

}  // namespace sci
