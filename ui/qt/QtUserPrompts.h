#pragma once

#include <QString>

#include "ui/qt/UserPrompts.h"

namespace sci {

// QMessageBox and QFileDialog. One object serves a whole run, so the file
// dialogs open in the folder the last one was left in.
class QtUserPrompts : public UserPrompts {
 public:
  PromptAnswer message(QWidget* owner, const QString& text, const QString& caption, PromptIcon icon,
                       PromptButtons buttons) override;
  QString chooseFile(QWidget* owner, FileDialogMode mode, const QString& filter,
                     const QString& startFolder = {}) override;

 private:
  QString lastFolder_;
};

}  // namespace sci
