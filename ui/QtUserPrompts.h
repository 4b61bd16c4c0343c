#pragma once

#include "ui/UserPrompts.h"

namespace sci {

// QMessageBox and QFileDialog.
class QtUserPrompts : public UserPrompts {
 public:
  bool message(QWidget* owner, const QString& text, const QString& caption, PromptIcon icon,
               PromptButtons buttons) override;
  QString chooseFile(QWidget* owner, FileDialogMode mode, const QString& filter) override;
};

}  // namespace sci
