#include "ui/ServerListDialog.h"

#include <QAction>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

#include "data/FileError.h"
#include "data/ResultMessages.h"
#include "ui/AboutDialog.h"
#include "ui/AppIcon.h"
#include "ui/ApplicationName.h"
#include "ui/FieldEdit.h"
#include "ui/HelpWindow.h"
#include "ui/PortText.h"
#include "ui/PositionSpinBox.h"
#include "ui/SingleByteQString.h"
#include "ui/UserPrompts.h"

namespace sci {

namespace {

constexpr const char* kInitialCaption = "Marlix V1.3";
constexpr const char* kTooLong = "Please enter no more than %1 characters.";
constexpr const char* kNotPositive = "Please enter a positive integer.";

// Read-back limits in characters.
constexpr int kServerLimit = 31;
constexpr int kKeyLimit = 41;
constexpr int kUserNameLimit = 12;
constexpr int kPasswordLimit = 11;

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

QString localText(const std::string& text) { return QString::fromLocal8Bit(text); }

}  // namespace

ServerListDialog::ServerListDialog(DialogSetup setup, QWidget* parent)
    : QDialog(parent),
      prompts_(setup.prompts),
      configPath_(std::move(setup.configPath)),
      writeOps_(std::move(setup.writeOps)),
      editor_(*this) {
  setObjectName(QStringLiteral("serverListDialog"));
  buildWidgets();
  buildActions();
  startUp();
}

ServerListDialog::~ServerListDialog() = default;

void ServerListDialog::buildWidgets() {
  setWindowTitle(QString::fromLatin1(kInitialCaption));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setModal(true);
  setWindowIcon(appIcon());

  auto* serverGroup = new QGroupBox(QStringLiteral("Server"), this);
  server_ = makeEdit(serverGroup, "serverEdit", QStringLiteral("Server IP / URL"), 160);
  port_ = makeEdit(serverGroup, "portEdit", QStringLiteral("TCP port"), 40);
  serverConfirm_ =
      makeEdit(serverGroup, "serverConfirmEdit", QStringLiteral("Server confirmation"), 160);
  portConfirm_ = makeEdit(serverGroup, "portConfirmEdit", QStringLiteral("Port confirmation"), 40);
  key_ = makeEdit(serverGroup, "keyEdit", QStringLiteral("DES key"), 205);
  port_->setDigitsOnly(true);
  portConfirm_->setDigitsOnly(true);
  server_->setInputLimit(kServerLimit);
  serverConfirm_->setInputLimit(kServerLimit);
  key_->setInputLimit(kKeyLimit);

  auto* serverLabel = makeLabel(serverGroup, QStringLiteral("IP / URL"), server_);
  auto* portLabel = makeLabel(serverGroup, QStringLiteral("TCP &Port"), port_);
  auto* confirmLabel = makeLabel(serverGroup, QStringLiteral("*confirm"), serverConfirm_);
  auto* keyLabel = makeLabel(serverGroup, QStringLiteral("DES Key"), key_);
  confirmLabel->setObjectName(QStringLiteral("confirmLabel"));

  auto* serverGrid = new QGridLayout(serverGroup);
  serverGrid->addWidget(serverLabel, 0, 1);
  serverGrid->addWidget(portLabel, 0, 2);
  serverGrid->addWidget(server_, 1, 1);
  serverGrid->addWidget(port_, 1, 2);
  serverGrid->addWidget(confirmLabel, 2, 0);
  serverGrid->addWidget(serverConfirm_, 2, 1);
  serverGrid->addWidget(portConfirm_, 2, 2);
  serverGrid->addWidget(keyLabel, 3, 0);
  serverGrid->addWidget(key_, 3, 1, 1, 2);
  serverGrid->setColumnMinimumWidth(0, dialogUnitsX(this, 40));

  auto* userGroup = new QGroupBox(QStringLiteral("User"), this);
  userName_ = makeEdit(userGroup, "userNameEdit", QStringLiteral("User name"), 85);
  password_ = makeEdit(userGroup, "passwordEdit", QStringLiteral("Password"), 85);
  passwordConfirm_ =
      makeEdit(userGroup, "passwordConfirmEdit", QStringLiteral("Password confirmation"), 85);
  userName_->setInputLimit(kUserNameLimit);
  password_->setInputLimit(kPasswordLimit);
  passwordConfirm_->setInputLimit(kPasswordLimit);
  auto* nameLabel = makeLabel(userGroup, QStringLiteral("Name"), userName_);
  auto* passwordLabel = makeLabel(userGroup, QStringLiteral("Password"), password_);
  auto* passwordConfirmLabel =
      makeLabel(userGroup, QStringLiteral("*password confirm"), passwordConfirm_);
  passwordConfirmLabel->setObjectName(QStringLiteral("passwordConfirmLabel"));
  copy_ = makeButton(userGroup, QStringLiteral("&Copy"), "copyButton");
  paste_ = makeButton(userGroup, QStringLiteral("&Paste"), "pasteButton");
  delete_ = makeButton(userGroup, QStringLiteral("&Delete"), "deleteButton");

  auto* userGrid = new QGridLayout(userGroup);
  userGrid->addWidget(nameLabel, 0, 0);
  userGrid->addWidget(userName_, 0, 1);
  userGrid->addWidget(passwordConfirmLabel, 0, 2);
  userGrid->addWidget(copy_, 0, 4);
  userGrid->addWidget(passwordLabel, 1, 0);
  userGrid->addWidget(password_, 1, 1);
  userGrid->addWidget(passwordConfirm_, 1, 2);
  userGrid->addWidget(paste_, 1, 4);
  userGrid->addWidget(delete_, 2, 4);
  userGrid->setColumnStretch(3, 1);
  userGrid->setColumnMinimumWidth(0, dialogUnitsX(this, 40));

  position_ = new PositionSpinBox(this);
  position_->setObjectName(QStringLiteral("positionSpin"));
  position_->setAccessibleName(QStringLiteral("Server list item"));
  position_->setMinimumWidth(dialogUnitsX(this, 39));
  auto* positionLabel = makeLabel(this, QStringLiteral("Server List Item:"), position_);
  open_ = makeButton(this, QStringLiteral("&Open..."), "openButton");
  save_ = makeButton(this, QStringLiteral("&Save..."), "saveButton");
  exit_ = makeButton(this, QStringLiteral("&Exit"), "exitButton");

  auto* commandRow = new QHBoxLayout;
  commandRow->addWidget(positionLabel);
  commandRow->addWidget(position_);
  commandRow->addStretch(1);
  commandRow->addWidget(open_);
  commandRow->addWidget(save_);
  commandRow->addWidget(exit_);
  // The row lines up with the labels and buttons inside the groups above it:
  // "Server List Item:" under "Name", Exit's right edge under Delete's.
  const QMargins groupFrame = userGroup->contentsMargins();
  const QMargins groupInner = userGrid->contentsMargins();
  commandRow->setContentsMargins(groupFrame.left() + groupInner.left(), 0,
                                 groupFrame.right() + groupInner.right(), 0);

  // Kept for the layout's sake; nothing ever writes or shows it.
  auto* infoLabel = new QLabel(QStringLiteral("Info:"), this);
  infoLabel->setObjectName(QStringLiteral("infoLabel"));
  infoLine_ = new QLabel(this);
  infoLine_->setObjectName(QStringLiteral("infoLine"));
  infoLine_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  auto* infoRow = new QHBoxLayout;
  infoRow->addWidget(infoLabel);
  infoRow->addWidget(infoLine_, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(serverGroup);
  layout->addWidget(userGroup);
  layout->addLayout(commandRow);
  layout->addLayout(infoRow);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  for (QWidget* hidden :
       std::initializer_list<QWidget*>{serverConfirm_, portConfirm_, passwordConfirm_, confirmLabel,
                                       passwordConfirmLabel, infoLabel, infoLine_}) {
    hidden->setVisible(false);
  }

  QWidget* tabOrder[] = {
      server_,   port_, serverConfirm_, portConfirm_, key_,  userName_, password_, passwordConfirm_,
      position_, exit_, open_,          save_,        copy_, paste_,    delete_};
  for (std::size_t i = 1; i < std::size(tabOrder); ++i) {
    setTabOrder(tabOrder[i - 1], tabOrder[i]);
  }

  connect(open_, &QPushButton::clicked, this, &ServerListDialog::OnOpen);
  connect(save_, &QPushButton::clicked, this, &ServerListDialog::OnSave);
  connect(copy_, &QPushButton::clicked, this, [this] { editor_.Copy(); });
  connect(paste_, &QPushButton::clicked, this, [this] { editor_.Paste(); });
  connect(delete_, &QPushButton::clicked, this, [this] { editor_.Delete(); });
  connect(exit_, &QPushButton::clicked, this, &QDialog::reject);
  position_->setMoveRequest([this](int position, int delta) {
    editor_.MoveTo(position, delta);
    return editor_.current() + 1;
  });
}

void ServerListDialog::buildActions() {
  // The window manager's own menu is out of reach on X11 and Wayland, so
  // help and About are offered on the dialog's context menu instead.
  auto* help = new QAction(QStringLiteral("&Help"), this);
  help->setObjectName(QStringLiteral("helpAction"));
  help->setShortcut(QKeySequence::HelpContents);
  help->setShortcutContext(Qt::WindowShortcut);
  connect(help, &QAction::triggered, this, &ServerListDialog::showHelp);

  auto* separator = new QAction(this);
  separator->setSeparator(true);

  auto* about = new QAction(QStringLiteral("&About VANTO..."), this);
  about->setObjectName(QStringLiteral("aboutAction"));
  connect(about, &QAction::triggered, this, &ServerListDialog::showAbout);

  addActions({help, separator, about});
  setContextMenuPolicy(Qt::ActionsContextMenu);
}

void ServerListDialog::startUp() {
  pushForm(EntryForm{});
  position_->setValue(1);
  editor_.ShowEntry();
  editor_.UpdatePasteButton();
  loadConfiguration();
}

void ServerListDialog::loadConfiguration() {
  FileResult result;
  try {
    result = loadDeviceConfig(config_, configPath_);
  } catch (const FileError& error) {
    showStop(localText(error.userMessage()));
    EnableEditing(false);
    return;
  }
  switch (result) {
    case FileResult::Ok:
      // Qt reads "[*]" in a caption as the unsaved-changes mark; the device's
      // title is shown literally.
      setWindowTitle(
          fromSingleByte(config_.title()).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")));
      return;
    case FileResult::OpenFailed:
      showStop(QString::fromLatin1(kConfigOpenFailedText),
               QString::fromLatin1(kConfigOpenFailedCaption));
      break;
    case FileResult::LengthError:
      showStop(QString::fromLatin1(kLengthErrorText));
      break;
    case FileResult::ChecksumError:
      showStop(QString::fromLatin1(kConfigChecksumErrorText));
      break;
  }
  EnableEditing(false);
}

void ServerListDialog::EnableEditing(bool enable) {
  for (QWidget* widget :
       std::initializer_list<QWidget*>{server_, port_, key_, userName_, password_, open_, save_}) {
    widget->setEnabled(enable);
  }
}

void ServerListDialog::showStop(const QString& text, const QString& caption) {
  prompts_.message(this, text, caption.isEmpty() ? applicationName() : caption, PromptIcon::Stop,
                   PromptButtons::Ok);
}

FieldEdit* ServerListDialog::edit(Field field) const {
  switch (field) {
    case Field::Server:
      return server_;
    case Field::ServerConfirm:
      return serverConfirm_;
    case Field::Port:
      return port_;
    case Field::PortConfirm:
      return portConfirm_;
    case Field::Key:
      return key_;
    case Field::UserName:
      return userName_;
    case Field::Password:
      return password_;
    case Field::PasswordConfirm:
      return passwordConfirm_;
  }
  return server_;
}

void ServerListDialog::pushForm(const EntryForm& form) {
  server_->showText(fromSingleByte(form.server));
  serverConfirm_->showText(fromSingleByte(form.serverConfirm));
  key_->showText(fromSingleByte(form.keyText));
  port_->showText(QString::number(form.port));
  portConfirm_->showText(QString::number(form.portConfirm));
  userName_->showText(fromSingleByte(form.userName));
  password_->showText(fromSingleByte(form.password));
  passwordConfirm_->showText(fromSingleByte(form.passwordConfirm));
}

bool ServerListDialog::pullForm(EntryForm& form) {
  return pullText(Field::Server, kServerLimit, form.server) &&
         pullText(Field::ServerConfirm, kServerLimit, form.serverConfirm) &&
         pullText(Field::Key, kKeyLimit, form.keyText) && pullPort(Field::Port, form.port) &&
         pullPort(Field::PortConfirm, form.portConfirm) &&
         pullText(Field::UserName, kUserNameLimit, form.userName) &&
         pullText(Field::Password, kPasswordLimit, form.password) &&
         pullText(Field::PasswordConfirm, kPasswordLimit, form.passwordConfirm);
}

bool ServerListDialog::pullText(Field field, int limit, std::string& value) {
  const FieldEdit* control = edit(field);
  // The input guard admits single-byte characters only, so this always converts.
  value = toSingleByte(control->text()).value_or(std::string{});
  // The hidden mirrors are filled by the program alone and the user can never
  // shorten them, so a long mirror (a long password from an opened file)
  // must not stop the read-back for good.
  if (field == Field::ServerConfirm || field == Field::PasswordConfirm) return true;
  if (control->text().size() <= limit) return true;
  refuseField(field, QString::fromLatin1(kTooLong).arg(limit));
  return false;
}

bool ServerListDialog::pullPort(Field field, std::uint32_t& value) {
  const auto parsed = parsePortText(edit(field)->text());
  if (parsed) {
    value = *parsed;
    return true;
  }
  refuseField(field, QString::fromLatin1(kNotPositive));
  return false;
}

void ServerListDialog::refuseField(Field field, const QString& message) {
  prompts_.message(this, message, applicationName(), PromptIcon::Exclamation, PromptButtons::Ok);
  focusField(field);
  edit(field)->selectAll();
}

bool ServerListDialog::fieldModified(Field field) const { return edit(field)->isModified(); }

void ServerListDialog::focusField(Field field) {
  // The mirrors are never shown; their visible field is where the user can act.
  switch (field) {
    case Field::ServerConfirm:
      field = Field::Server;
      break;
    case Field::PortConfirm:
      field = Field::Port;
      break;
    case Field::PasswordConfirm:
      field = Field::Password;
      break;
    default:
      break;
  }
  edit(field)->setFocus(Qt::OtherFocusReason);
}

bool ServerListDialog::askDiscard() {
  return prompts_.message(this, QString::fromLatin1(EntryEditor::kDiscardQuestion),
                          QString::fromLatin1(EntryEditor::kDiscardCaption), PromptIcon::Question,
                          PromptButtons::OkCancel);
}

void ServerListDialog::setPasteEnabled(bool enabled) { paste_->setEnabled(enabled); }

void ServerListDialog::accept() {
  EntryForm form = editor_.form();
  if (pullForm(form)) QDialog::accept();
}

void ServerListDialog::keyPressEvent(QKeyEvent* event) {
  // There is no OK button: Enter on a push button presses it, anywhere else
  // it is the dialog's OK command.
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
  if (enter && modifiers == Qt::NoModifier) {
    if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->hasFocus()) {
      button->click();
    } else {
      accept();
    }
    return;
  }
  QDialog::keyPressEvent(event);
}

void ServerListDialog::OnSave() {
  const QString chosen =
      prompts_.chooseFile(this, FileDialogMode::Save, QString::fromLatin1(kServerListFilter));
  if (chosen.isEmpty()) return;
  // An invalid form is not stored: the file carries the entry as last stored.
  editor_.StoreEntry();
  const std::string path = serverListPath(QFile::encodeName(chosen).toStdString());
  try {
    if (writeServerList(path, editor_.table(), config_, defaultRandom, writeOps_) ==
        FileResult::OpenFailed) {
      showStop(QString::fromLatin1(kOpenFailedText));
    }
  } catch (const FileError& error) {
    showStop(localText(error.userMessage()));
  } catch (const std::exception& error) {
    showStop(localText(error.what()));
  }
}

void ServerListDialog::OnOpen() {
  const QString chosen =
      prompts_.chooseFile(this, FileDialogMode::Open, QString::fromLatin1(kServerListFilter));
  if (chosen.isEmpty()) return;
  // Read into a copy so that no failure can leave the list half replaced.
  ServerTable table = editor_.table();
  FileResult result;
  try {
    result = readServerList(std::filesystem::path(QFile::encodeName(chosen).toStdString()), table);
  } catch (const FileError& error) {
    showStop(localText(error.userMessage()));
    return;
  } catch (const std::exception& error) {
    showStop(localText(error.what()));
    return;
  }
  switch (result) {
    case FileResult::Ok:
      editor_.replaceTable(table);
      editor_.ShowEntry();
      break;
    case FileResult::OpenFailed:
      showStop(QString::fromLatin1(kOpenFailedText));
      break;
    case FileResult::LengthError:
      showStop(QString::fromLatin1(kLengthErrorText));
      break;
    case FileResult::ChecksumError:
      showStop(QString::fromLatin1(kListChecksumErrorText));
      break;
  }
}

void ServerListDialog::showAbout() {
  AboutDialog about(this);
  about.exec();
}

void ServerListDialog::showHelp() {
  HelpWindow help(HelpTopic::ServerList, this);
  help.exec();
}

}  // namespace sci
