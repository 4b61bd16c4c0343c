#include "ui/qt/QtPrompts.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QString>
#include <QStringList>

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

QString fromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A filter's patterns, "*.a;*.b", read as Windows reads them: "*.*" is
// every file, names without a dot included.
QStringList windowsPatterns(const FileFilter& filter) {
  QStringList patterns = fromUtf8(filter.pattern).split(u';', Qt::SkipEmptyParts);
  for (QString& pattern : patterns) {
    pattern = pattern.trimmed();
    if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
  }
  return patterns;
}

// Qt takes a pattern literally: "*.*" would hide every name without a dot,
// and choosing that entry while saving would turn a typed "list.bin" into
// "list.*". The file type list is therefore applied here, and choosing an
// entry filters the view without touching the typed name. A native dialog
// has no such parts and keeps its own rules.
void applyFileTypesAsWindowsDoes(QFileDialog& dialog, std::span<const FileFilter> filters) {
  auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
  auto* files = dialog.findChild<QFileSystemModel*>();
  if (!types || !files) {
    qWarning(
        "QtPrompts: the file dialog has no 'fileTypeCombo' or file model any more; "
        "'All Files (*.*)' will hide names without a dot");
    return;
  }
  QObject::disconnect(types, &QComboBox::activated, &dialog, nullptr);
  QList<QStringList> patterns;
  for (const FileFilter& filter : filters) patterns.append(windowsPatterns(filter));
  const auto apply = [files, patterns](int index) { files->setNameFilters(patterns.value(index)); };
  QObject::connect(types, &QComboBox::activated, &dialog, apply);
  apply(types->currentIndex());
}

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

PromptAnswer QtPrompts::message(std::string_view utf8Text, std::string_view utf8Caption,
                                PromptIcon icon, PromptButtons buttons) {
  const QString text = fromUtf8(utf8Text);
  const QString caption = fromUtf8(utf8Caption);
  // The start-up check speaks before its dialog is shown. A hidden owner has
  // no place on the screen yet, so such a box stands in the middle of the
  // screen, where the dialog then appears, as a Windows message box would.
  QMessageBox box(owner_ && owner_->isVisible() ? owner_ : nullptr);
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

std::optional<std::filesystem::path> QtPrompts::chooseFile(const FileRequest& request) {
  QFileDialog dialog(owner_);
  dialog.setAcceptMode(request.mode == FileDialogMode::Open ? QFileDialog::AcceptOpen
                                                            : QFileDialog::AcceptSave);
  dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.askBeforeReplacing);
  QStringList names;
  for (const FileFilter& filter : request.filters) names << fromUtf8(filter.name);
  dialog.setNameFilters(names);
  applyFileTypesAsWindowsDoes(dialog, request.filters);
  if (!request.startFolder.empty()) {
    dialog.setDirectory(QString::fromStdU16String(request.startFolder.u16string()));
  }
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QString chosen = dialog.selectedFiles().value(0);
  if (chosen.isEmpty()) return std::nullopt;
  // UTF-16 to the system's path encoding directly, without a detour through
  // a narrow string.
  return std::filesystem::path(chosen.toStdU16String());
}

}  // namespace sci
