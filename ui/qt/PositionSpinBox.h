#pragma once
// The list position 1..20 with its up/down arrows. Every step first asks the
// owner, which may refuse or redirect it; the box then shows the position
// the owner returns. The number itself cannot be edited.

#include <QSpinBox>
#include <functional>

namespace sci {

class PositionSpinBox : public QSpinBox {
  Q_OBJECT

 public:
  // Called with the shown position and the proposed change (+1 or -1);
  // returns the position to show.
  using MoveRequest = std::function<int(int position, int delta)>;

  explicit PositionSpinBox(QWidget* parent = nullptr);

  void setMoveRequest(MoveRequest request) { moveRequest_ = std::move(request); }

  void stepBy(int steps) override;

 protected:
  // Only the arrows and the Up/Down keys move through the list: a wheel turned
  // while passing over the box must not step it, each notch possibly asking
  // the discard question.
  void wheelEvent(QWheelEvent* event) override;

 private:
  MoveRequest moveRequest_;
};

}  // namespace sci
