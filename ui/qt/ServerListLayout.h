#pragma once
// The server list dialog's widgets and their arrangement: the Server and
// User groups, the position and command row, and the hidden info line.
// Changes to how the window looks belong here and nowhere else.

class QDialog;
class QLabel;
class QPushButton;

namespace sci {

class FieldEdit;
class PositionSpinBox;

struct ServerListWidgets {
  FieldEdit* server = nullptr;
  FieldEdit* port = nullptr;
  FieldEdit* serverConfirm = nullptr;
  FieldEdit* portConfirm = nullptr;
  FieldEdit* key = nullptr;
  FieldEdit* userName = nullptr;
  FieldEdit* password = nullptr;
  FieldEdit* passwordConfirm = nullptr;
  PositionSpinBox* position = nullptr;
  QLabel* infoLine = nullptr;
  QPushButton* open = nullptr;
  QPushButton* save = nullptr;
  QPushButton* copy = nullptr;
  QPushButton* paste = nullptr;
  QPushButton* remove = nullptr;  // "&Delete"
  QPushButton* exit = nullptr;
};

// Creates the widgets inside dialog, lays them out at a fixed size, sets the
// tab order and the window's caption, frame and icon. Nothing is connected.
ServerListWidgets buildServerListLayout(QDialog& dialog);

}  // namespace sci
