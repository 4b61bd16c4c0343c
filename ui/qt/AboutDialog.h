#pragma once

#include <QDialog>

namespace sci {

// "About VANTO": the icon, the version line and a notice; closes with OK,
// Enter or Esc.
class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent = nullptr);

 public slots:
  void showHelp();
};

}  // namespace sci
