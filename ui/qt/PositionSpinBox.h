#pragma once
// The list position with its up/down arrows; the owner sets the range. Every
// step first asks the owner, which may refuse or redirect it; the box then
// shows the position the owner returns. The number itself cannot be edited.

#include <QSpinBox>
#include <functional>

namespace sci {

class PositionSpinBox : public QSpinBox {
  Q_OBJECT

 public:
  // Called with the proposed change in steps; returns the position to show.
  using MoveRequest = std::function<int(int delta)>;

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
