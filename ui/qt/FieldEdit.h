#pragma once
// A line edit whose input limit binds the user only: typing and pasting stop
// at the limit, while text set by the program is shown whole. Characters
// without a single-byte form are refused instead of being changed.

#include <QLineEdit>

namespace sci {

class InputGuard;

class FieldEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit FieldEdit(QWidget* parent = nullptr);

  // Most characters the user may bring the text to; 0 for no limit.
  void setInputLimit(int limit);
  int inputLimit() const { return limit_; }

  // Typed characters must be decimal digits; pasted text is not filtered.
  void setDigitsOnly(bool digitsOnly) { digitsOnly_ = digitsOnly; }

  // Text from the program. A field that already shows exactly this text is
  // left alone, so its change mark survives.
  void showText(const QString& text);

 public slots:
  // Pastes the clipboard's first line, cut to what still fits the limit.
  void pasteFitted();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  InputGuard* guard_;
  int limit_ = 0;
  bool digitsOnly_ = false;
};

}  // namespace sci
