#pragma once
// Records every message box and file dialog the dialog asks for and answers
// them from a script, so tests never block on a real window.

#include <QList>
#include <QStringList>

#include "ui/qt/UserPrompts.h"

namespace sci::test {

struct ShownMessage {
  QString text;
  QString caption;
  PromptIcon icon;
  PromptButtons buttons;
};

class FakePrompts : public UserPrompts {
 public:
  QList<ShownMessage> messages;
  // Answers for OK/Cancel questions, taken front first; a question with no
  // answer left counts in unanswered and gets Cancel.
  QList<PromptAnswer> answers;
  int unanswered = 0;
  // Paths returned by the file dialogs, taken front first; none left = Cancel.
  QStringList chosenFiles;
  QList<FileDialogMode> fileModes;
  QStringList fileFilters;

  PromptAnswer message(QWidget*, const QString& text, const QString& caption, PromptIcon icon,
                       PromptButtons buttons) override {
    messages.append({text, caption, icon, buttons});
    if (buttons == PromptButtons::Ok) return PromptAnswer::Ok;
    if (answers.isEmpty()) {
      ++unanswered;
      return PromptAnswer::Cancel;
    }
    return answers.takeFirst();
  }

  QString chooseFile(QWidget*, FileDialogMode mode, const QString& filter,
                     const QString& = {}) override {
    fileModes.append(mode);
    fileFilters.append(filter);
    return chosenFiles.isEmpty() ? QString() : chosenFiles.takeFirst();
  }
};

}  // namespace sci::test
