#include "ui/qt/PositionSpinBox.h"

#include <QLineEdit>
#include <QWheelEvent>

namespace sci {

PositionSpinBox::PositionSpinBox(QWidget* parent) : QSpinBox(parent) {
  setRange(1, 20);
  setWrapping(true);
  setValue(1);
  setAlignment(Qt::AlignRight);
  // Only the line edit is read-only: a read-only spin box would refuse to step.
  lineEdit()->setReadOnly(true);
}

void PositionSpinBox::stepBy(int steps) {
  if (steps == 0) return;
  // One list item per step, also for Page Up/Down: the editor moves one entry at a time.
  const int delta = steps > 0 ? 1 : -1;
  if (!moveRequest_) {
    QSpinBox::stepBy(delta);
    return;
  }
  setValue(moveRequest_(value(), delta));
}

void PositionSpinBox::wheelEvent(QWheelEvent* event) { event->ignore(); }

}  // namespace sci
