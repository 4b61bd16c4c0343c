#include "ui/qt/FieldEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QRegularExpression>
#include <QToolTip>
#include <QValidator>
#include <algorithm>
#include <utility>

#include "ui/DialogConstants.h"

#include "ui/qt/SingleByteQString.h"

namespace sci {

// QLineEdit::setMaxLength would also cut the program's own texts, so the
// limit is enforced here on user edits only. An edit the guard refuses is
// undone by QLineEdit with the change mark and undo history intact.
class InputGuard : public QValidator {
 public:
  using QValidator::QValidator;

  void setLimit(int limit) { limit_ = limit; }

  // The program may show a longer text; the user may shorten it and retype
  // up to that length, never beyond, so undo cannot reach a refused state.
  void allowProgramText(qsizetype length) { programLength_ = length; }

  State validate(QString& input, int&) const override {
    if (!hasSingleByteForm(input)) {
      refusedCharacter_ = true;
      return Invalid;
    }
    if (limit_ > 0 && input.size() > std::max<qsizetype>(limit_, programLength_)) return Invalid;
    return Acceptable;
  }

 private:
  int limit_ = 0;
  qsizetype programLength_ = 0;

 public:
  // Set by a refusal for a character the list cannot store; read once.
  bool takeRefusedCharacter() { return std::exchange(refusedCharacter_, false); }
  void refuseCharacter() { refusedCharacter_ = true; }

 private:
  mutable bool refusedCharacter_ = false;
};

FieldEdit::FieldEdit(QWidget* parent) : QLineEdit(parent), guard_(new InputGuard(this)) {
  setValidator(guard_);
  connect(this, &QLineEdit::inputRejected, this, [this] {
    QApplication::beep();
    // Unlike a full field, a character that simply vanishes needs a word.
    if (guard_->takeRefusedCharacter()) {
      QToolTip::showText(mapToGlobal(QPoint(0, height())), QString::fromLatin1(kSingleByteOnlyText),
                         this);
    }
  });
}

void FieldEdit::setInputLimit(int limit) {
  limit_ = limit;
  guard_->setLimit(limit);
}

void FieldEdit::showText(const QString& text) {
  if (this->text() == text) return;
  guard_->allowProgramText(text.size());
  setText(text);
}

void FieldEdit::pasteFitted() {
  if (isReadOnly()) return;
  QString clip = QApplication::clipboard()->text();
  // A single-line field takes the first line only.
  const qsizetype lineEnd = clip.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
  if (lineEnd >= 0) clip.truncate(lineEnd);
  if (clip.isEmpty()) return;
  if (!hasSingleByteForm(clip)) {
    guard_->refuseCharacter();
    emit inputRejected();
    return;
  }
  if (limit_ > 0) {
    const qsizetype kept = text().size() - selectedText().size();
    clip.truncate(std::max<qsizetype>(0, limit_ - kept));
    if (clip.isEmpty()) {
      emit inputRejected();
      return;
    }
  }
  insert(clip);
}

void FieldEdit::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    if (!isReadOnly()) pasteFitted();
    event->accept();
    return;
  }
  const QString typed = event->text();
  // Shortcuts such as Ctrl+A may carry their letter as text.
  const bool shortcut =
      event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  if (digitsOnly_ && !isReadOnly() && !shortcut && !typed.isEmpty() && typed.front().isPrint() &&
      !std::all_of(typed.begin(), typed.end(), [](QChar ch) { return ch >= u'0' && ch <= u'9'; })) {
    emit inputRejected();
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

namespace {

// Qt names the standard menu's actions only from some version on (Qt 6.4
// leaves them unnamed), so the Paste action is also recognised by the text
// QLineEdit gives it, in whatever language it speaks.
QAction* standardPasteAction(const QMenu& menu) {
  if (auto* named = menu.findChild<QAction*>(QStringLiteral("edit-paste"))) return named;
  const QString pasteText = QLineEdit::tr("&Paste");
  for (QAction* action : menu.actions()) {
    if (action->text().section(u'\t', 0, 0) == pasteText) return action;
  }
  return nullptr;
}

}  // namespace

void FieldEdit::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  if (QAction* paste = standardPasteAction(*menu)) {
    disconnect(paste, &QAction::triggered, this, &QLineEdit::paste);
    connect(paste, &QAction::triggered, this, &FieldEdit::pasteFitted);
  } else {
    qWarning(
        "FieldEdit: no Paste in the line edit's context menu; a paste there is not cut "
        "to the field's limit");
  }
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

}  // namespace sci
