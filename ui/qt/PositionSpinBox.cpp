#include "ui/qt/PositionSpinBox.h"

#include <QLineEdit>
#include <QWheelEvent>

namespace sci {

PositionSpinBox::PositionSpinBox(QWidget* parent) : QSpinBox(parent) {
  setWrapping(true);
  setAlignment(Qt::AlignRight);
  // Only the line edit is read-only: a read-only spin box would refuse to step.
  lineEdit()->setReadOnly(true);
}

void PositionSpinBox::stepBy(int steps) {
  if (steps == 0) return;
  if (!moveRequest_) {
    QSpinBox::stepBy(steps);
    return;
  }
  // Page Up/Down propose ten steps; the owner decides how far that goes.
  setValue(moveRequest_(steps));
}

void PositionSpinBox::wheelEvent(QWheelEvent* event) { event->ignore(); }

}  // namespace sci
