#include "ui/qt/QtUserPrompts.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>

#include <algorithm>

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

// The patterns of one filter entry, "Name (*.a *.b)", read as Windows reads
// them: "*.*" is every file, names without a dot included.
QStringList windowsPatterns(const QString& entry) {
  static const QRegularExpression inParentheses(QStringLiteral("\\(([^()]*)\\)\\s*$"));
  const QRegularExpressionMatch match = inParentheses.match(entry);
  QStringList patterns = match.captured(1).split(u' ', Qt::SkipEmptyParts);
  for (QString& pattern : patterns) {
    if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
  }
  return patterns;
}

// Qt takes a pattern literally: "*.*" would hide every name without a dot,
// and choosing that entry while saving would turn a typed "list.bin" into
// "list.*". The file type list is therefore applied here, and choosing an
// entry filters the view without touching the typed name. A native dialog
// has no such parts and keeps its own rules.
void applyFileTypesAsWindowsDoes(QFileDialog& dialog, const QStringList& entries) {
  auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
  auto* files = dialog.findChild<QFileSystemModel*>();
  if (!types || !files) {
    qWarning(
        "QtUserPrompts: the file dialog has no 'fileTypeCombo' or file model any more; "
        "'All Files (*.*)' will hide names without a dot");
    return;
  }
  QObject::disconnect(types, &QComboBox::activated, &dialog, nullptr);
  const auto apply = [files, entries](int index) {
    files->setNameFilters(windowsPatterns(entries.value(index)));
  };
  QObject::connect(types, &QComboBox::activated, &dialog, apply);
  apply(types->currentIndex());
}

// Gives the focus back to the window that opened a box or file dialog, and
// there to the widget that had it, once the box has closed. Without this the
// window is left to the window manager, which may activate nothing (as the
// offscreen platform does) or another window, so typing and Tab went nowhere.
class FocusReturn {
 public:
  explicit FocusReturn(QWidget* owner)
      : window_(owner ? owner->window() : nullptr),
        focus_(window_ ? window_->focusWidget() : nullptr) {}
  FocusReturn(const FocusReturn&) = delete;
  FocusReturn& operator=(const FocusReturn&) = delete;

  ~FocusReturn() {
    if (!window_ || !window_->isVisible()) return;
    window_->activateWindow();
    // A field refused by the read-back takes the focus after the message;
    // that happens after this, so it wins.
    if (focus_ && focus_->isVisible() && focus_->isEnabled()) {
      focus_->setFocus(Qt::ActiveWindowFocusReason);
    }
  }

 private:
  QPointer<QWidget> window_;
  QPointer<QWidget> focus_;
};

// Qt wraps a box's text at half the screen's width, and broke "--config"
// after its hyphens. The text's column is widened to its widest line as long
// as the box stays within two thirds of the screen; longer lines (a deep
// path) still wrap.
void keepLinesWhole(const QMessageBox& box, QGridLayout& grid, const QString& text) {
  QLabel* label = nullptr;
  for (QLabel* candidate : box.findChildren<QLabel*>()) {
    if (candidate->text() == text) label = candidate;
  }
  if (!label) {
    qWarning("sciedit: the message box shows no label with its text; its lines may wrap");
    return;
  }
  int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
  grid.getItemPosition(grid.indexOf(label), &row, &column, &rowSpan, &columnSpan);
  const QFontMetrics metrics(label->font());
  int widest = 0;
  for (const QString& line : text.split(u'\n')) {
    widest = std::max(widest, metrics.horizontalAdvance(line));
  }
  const QScreen* screen = box.screen();
  const int limit = screen ? screen->availableGeometry().width() * 2 / 3 : 640;
  // The label's own margin and a character's slack for rounding.
  const int room = std::min(widest + label->margin() * 2 + metrics.averageCharWidth(), limit);
  grid.addItem(new QSpacerItem(room, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid.rowCount(),
               column, 1, columnSpan);
}

}  // namespace

PromptAnswer QtUserPrompts::message(QWidget* owner, const QString& text, const QString& caption,
                                    PromptIcon icon, PromptButtons buttons) {
  // The start-up check speaks before its dialog is shown. A hidden owner has
  // no place on the screen yet, so such a box stands in the middle of the
  // screen, where the dialog then appears, as a Windows message box would.
  QWidget* shownOwner = owner && owner->isVisible() ? owner : nullptr;
  const FocusReturn focusReturn(shownOwner);
  QMessageBox box(shownOwner);
  box.setWindowTitle(caption);
  // Paths inside messages must never be read as markup.
  box.setTextFormat(Qt::PlainText);
  box.setText(text);
  box.setIcon(boxIcon(icon));
  switch (buttons) {
    case PromptButtons::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case PromptButtons::OkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      box.setDefaultButton(QMessageBox::Ok);
      box.setEscapeButton(QMessageBox::Cancel);
      break;
    case PromptButtons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      box.setDefaultButton(QMessageBox::Yes);
      box.setEscapeButton(QMessageBox::Cancel);
      break;
  }
  // Qt sizes a box by its text, so "abort!" alone gave a box about as wide as
  // its OK button, and the window frame cut the caption down to "..." beside
  // its own buttons. The box keeps room for the caption, a little bolder in
  // most title bars, next to an icon and three title bar buttons.
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    const QFontMetrics metrics(box.font());
    const int captionRoom =
        metrics.horizontalAdvance(caption) * 5 / 4 + metrics.averageCharWidth() * 16;
    grid->addItem(new QSpacerItem(captionRoom, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
    keepLinesWhole(box, *grid, text);
  }
  switch (box.exec()) {
    case QMessageBox::Ok:
      return PromptAnswer::Ok;
    case QMessageBox::Yes:
      return PromptAnswer::Yes;
    case QMessageBox::No:
      return PromptAnswer::No;
    default:
      return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
  }
}

QString QtUserPrompts::chooseFile(QWidget* owner, FileDialogMode mode, const QString& filter,
                                  const QString& startFolder) {
  const FocusReturn focusReturn(owner && owner->isVisible() ? owner : nullptr);
  QFileDialog dialog(owner);
  dialog.setAcceptMode(mode == FileDialogMode::Open ? QFileDialog::AcceptOpen
                                                    : QFileDialog::AcceptSave);
  // Open also returns names that do not exist; reading them then fails.
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(filter);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  applyFileTypesAsWindowsDoes(dialog, dialog.nameFilters());
  if (!startFolder.isEmpty()) {
    dialog.setDirectory(startFolder);
  } else if (!lastFolder_.isEmpty()) {
    dialog.setDirectory(lastFolder_);
  }
  if (dialog.exec() != QDialog::Accepted) return {};
  const QString chosen = dialog.selectedFiles().value(0);
  if (!chosen.isEmpty()) lastFolder_ = QFileInfo(chosen).absolutePath();
  return chosen;
}

}  // namespace sci
