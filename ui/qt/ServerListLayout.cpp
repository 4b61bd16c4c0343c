#include "ui/qt/ServerListLayout.h"

#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <initializer_list>
#include <iterator>

#include "ui/DialogResources.h"
#include "ui/qt/AppIcon.h"
#include "ui/qt/FieldEdit.h"
#include "ui/qt/PositionSpinBox.h"

namespace sci {

namespace {

// Widths from the original layout, in dialog units (a quarter of the
// average character width), so the window scales with its font.
int dialogUnitsX(const QWidget* widget, int units) {
  return units * widget->fontMetrics().averageCharWidth() / 4;
}

FieldEdit* makeEdit(QWidget* parent, const char* name, const QString& accessibleName,
                    int widthUnits) {
  auto* edit = new FieldEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setAccessibleName(accessibleName);
  edit->setMinimumWidth(dialogUnitsX(parent, widthUnits));
  return edit;
}

QLabel* makeLabel(QWidget* parent, const QString& text, QWidget* buddy) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(buddy);
  return label;
}

QPushButton* makeButton(QWidget* parent, const QString& text, const char* name) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QString::fromLatin1(name));
  // No button is the default: Enter on a button presses that button,
  // anywhere else it is the dialog's OK command (keyPressEvent).
  button->setAutoDefault(false);
  return button;
}

}  // namespace

ServerListWidgets buildServerListLayout(QDialog& dialog) {
  ServerListWidgets w;
  dialog.setWindowTitle(QStringLiteral(SCIEDIT_DIALOG_CAPTION));
  dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  dialog.setModal(true);
  dialog.setWindowIcon(appIcon());

  auto* serverGroup = new QGroupBox(QStringLiteral(SCIEDIT_TEXT_SERVER_GROUP), &dialog);
  w.server = makeEdit(serverGroup, "serverEdit", QStringLiteral("Server IP / URL"), 160);
  w.port = makeEdit(serverGroup, "portEdit", QStringLiteral("TCP port"), 40);
  w.serverConfirm =
      makeEdit(serverGroup, "serverConfirmEdit", QStringLiteral("Server confirmation"), 160);
  w.portConfirm = makeEdit(serverGroup, "portConfirmEdit", QStringLiteral("Port confirmation"), 40);
  w.key = makeEdit(serverGroup, "keyEdit", QStringLiteral("DES key"), 205);

  auto* serverLabel = makeLabel(serverGroup, QStringLiteral(SCIEDIT_TEXT_SERVER), w.server);
  auto* portLabel = makeLabel(serverGroup, QStringLiteral(SCIEDIT_TEXT_PORT), w.port);
  auto* confirmLabel =
      makeLabel(serverGroup, QStringLiteral(SCIEDIT_TEXT_CONFIRM), w.serverConfirm);
  auto* keyLabel = makeLabel(serverGroup, QStringLiteral(SCIEDIT_TEXT_KEY), w.key);
  confirmLabel->setObjectName(QStringLiteral("confirmLabel"));

  auto* serverGrid = new QGridLayout(serverGroup);
  serverGrid->addWidget(serverLabel, 0, 1);
  serverGrid->addWidget(portLabel, 0, 2);
  serverGrid->addWidget(w.server, 1, 1);
  serverGrid->addWidget(w.port, 1, 2);
  serverGrid->addWidget(confirmLabel, 2, 0);
  serverGrid->addWidget(w.serverConfirm, 2, 1);
  serverGrid->addWidget(w.portConfirm, 2, 2);
  serverGrid->addWidget(keyLabel, 3, 0);
  serverGrid->addWidget(w.key, 3, 1, 1, 2);
  serverGrid->setColumnMinimumWidth(0, dialogUnitsX(&dialog, 40));

  auto* userGroup = new QGroupBox(QStringLiteral(SCIEDIT_TEXT_USER_GROUP), &dialog);
  w.userName = makeEdit(userGroup, "userNameEdit", QStringLiteral("User name"), 85);
  w.password = makeEdit(userGroup, "passwordEdit", QStringLiteral("Password"), 85);
  w.passwordConfirm =
      makeEdit(userGroup, "passwordConfirmEdit", QStringLiteral("Password confirmation"), 85);
  auto* nameLabel = makeLabel(userGroup, QStringLiteral(SCIEDIT_TEXT_USER_NAME), w.userName);
  auto* passwordLabel = makeLabel(userGroup, QStringLiteral(SCIEDIT_TEXT_PASSWORD), w.password);
  auto* passwordConfirmLabel =
      makeLabel(userGroup, QStringLiteral(SCIEDIT_TEXT_PASSWORD_CONFIRM), w.passwordConfirm);
  passwordConfirmLabel->setObjectName(QStringLiteral("passwordConfirmLabel"));
  w.copy = makeButton(userGroup, QStringLiteral(SCIEDIT_TEXT_COPY), "copyButton");
  w.paste = makeButton(userGroup, QStringLiteral(SCIEDIT_TEXT_PASTE), "pasteButton");
  w.remove = makeButton(userGroup, QStringLiteral(SCIEDIT_TEXT_DELETE), "deleteButton");

  auto* userGrid = new QGridLayout(userGroup);
  userGrid->addWidget(nameLabel, 0, 0);
  userGrid->addWidget(w.userName, 0, 1);
  userGrid->addWidget(passwordConfirmLabel, 0, 2);
  userGrid->addWidget(w.copy, 0, 4);
  userGrid->addWidget(passwordLabel, 1, 0);
  userGrid->addWidget(w.password, 1, 1);
  userGrid->addWidget(w.passwordConfirm, 1, 2);
  userGrid->addWidget(w.paste, 1, 4);
  userGrid->addWidget(w.remove, 2, 4);
  userGrid->setColumnStretch(3, 1);
  userGrid->setColumnMinimumWidth(0, dialogUnitsX(&dialog, 40));

  w.position = new PositionSpinBox(&dialog);
  w.position->setObjectName(QStringLiteral("positionSpin"));
  w.position->setAccessibleName(QStringLiteral("Server list item"));
  w.position->setMinimumWidth(dialogUnitsX(&dialog, 39));
  auto* positionLabel = makeLabel(&dialog, QStringLiteral(SCIEDIT_TEXT_POSITION), w.position);
  w.open = makeButton(&dialog, QStringLiteral(SCIEDIT_TEXT_OPEN), "openButton");
  w.save = makeButton(&dialog, QStringLiteral(SCIEDIT_TEXT_SAVE), "saveButton");
  w.exit = makeButton(&dialog, QStringLiteral(SCIEDIT_TEXT_EXIT), "exitButton");

  auto* commandRow = new QHBoxLayout;
  commandRow->addWidget(positionLabel);
  commandRow->addWidget(w.position);
  commandRow->addStretch(1);
  commandRow->addWidget(w.open);
  commandRow->addWidget(w.save);
  commandRow->addWidget(w.exit);
  // The row lines up with the labels and buttons inside the groups above it:
  // "Server List Item:" under "Name", Exit's right edge under Delete's.
  const QMargins groupFrame = userGroup->contentsMargins();
  const QMargins groupInner = userGrid->contentsMargins();
  commandRow->setContentsMargins(groupFrame.left() + groupInner.left(), 0,
                                 groupFrame.right() + groupInner.right(), 0);

  // Kept for the layout's sake; nothing ever writes or shows it.
  auto* infoLabel = new QLabel(QStringLiteral(SCIEDIT_TEXT_INFO), &dialog);
  infoLabel->setObjectName(QStringLiteral("infoLabel"));
  w.infoLine = new QLabel(&dialog);
  w.infoLine->setObjectName(QStringLiteral("infoLine"));
  w.infoLine->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  auto* infoRow = new QHBoxLayout;
  infoRow->addWidget(infoLabel);
  infoRow->addWidget(w.infoLine, 1);

  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(serverGroup);
  layout->addWidget(userGroup);
  layout->addLayout(commandRow);
  layout->addLayout(infoRow);
  // Minimum and maximum size become one, which X11 window managers read as
  // a window that can be neither resized nor maximised.
  layout->setSizeConstraint(QLayout::SetFixedSize);

  for (QWidget* hidden :
       std::initializer_list<QWidget*>{w.serverConfirm, w.portConfirm, w.passwordConfirm,
                                       confirmLabel, passwordConfirmLabel, infoLabel, w.infoLine}) {
    hidden->setVisible(false);
  }

  QWidget* tabOrder[] = {w.server,   w.port,     w.serverConfirm, w.portConfirm,
                         w.key,      w.userName, w.password,      w.passwordConfirm,
                         w.position, w.exit,     w.open,          w.save,
                         w.copy,     w.paste,    w.remove};
  for (std::size_t i = 1; i < std::size(tabOrder); ++i) {
    QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
  }
  return w;
}

}  // namespace sci
