#pragma once
// The short help offered on F1, for whichever dialog has the focus.

#include <QDialog>

#include "ui/HelpText.h"

namespace sci {

class HelpWindow : public QDialog {
  Q_OBJECT

 public:
  explicit HelpWindow(HelpTopic topic, QWidget* parent = nullptr);

  HelpTopic topic() const { return topic_; }

  static QString html(HelpTopic topic);

 private:
  HelpTopic topic_;
};

}  // namespace sci
