#include "ui/QtUserPrompts.h"

#include <QFileDialog>
#include <QMessageBox>

namespace sci {

namespace {

QMessageBox::Icon boxIcon(PromptIcon icon) {
  switch (icon) {
    case PromptIcon::Stop:
      return QMessageBox::Critical;
    case PromptIcon::Exclamation:
      return QMessageBox::Warning;
    case PromptIcon::Question:
      return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

bool QtUserPrompts::message(QWidget* owner, const QString& text, const QString& caption,
                            PromptIcon icon, PromptButtons buttons) {
  QMessageBox box(owner);
  box.setWindowTitle(caption);
  // Paths inside messages must never be read as markup.
  box.setTextFormat(Qt::PlainText);
  box.setText(text);
  box.setIcon(boxIcon(icon));
  if (buttons == PromptButtons::OkCancel) {
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
  } else {
    box.setStandardButtons(QMessageBox::Ok);
  }
  return box.exec() == QMessageBox::Ok;
}

QString QtUserPrompts::chooseFile(QWidget* owner, FileDialogMode mode, const QString& filter) {
  QFileDialog dialog(owner);
  dialog.setAcceptMode(mode == FileDialogMode::Open ? QFileDialog::AcceptOpen
                                                    : QFileDialog::AcceptSave);
  // Open also returns names that do not exist; reading them then fails.
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(filter);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles().value(0);
}

}  // namespace sci
