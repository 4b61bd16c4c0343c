#include "ui/ServerListDialog.h"

#include <QAction>
#include <QKeyEvent>
#include <QPushButton>

#include "ui/AboutDialog.h"
#include "ui/ApplicationName.h"
#include "ui/FormBinding.h"
#include "ui/HelpWindow.h"
#include "ui/PositionSpinBox.h"
#include "ui/UserPrompts.h"

namespace sci {

ServerListDialog::ServerListDialog(DialogSetup setup, QWidget* parent)
    : QDialog(parent),
      prompts_(setup.prompts),
      configPath_(std::move(setup.configPath)),
      writeOps_(std::move(setup.writeOps)),
      editor_(*this) {
  setObjectName(QStringLiteral("serverListDialog"));
  widgets_ = buildServerListLayout(*this);
  form_ = std::make_unique<FormBinding>(widgets_, prompts_, *this);
  connectCommands();
  buildActions();
  startUp();
}

ServerListDialog::~ServerListDialog() = default;

void ServerListDialog::connectCommands() {
  connect(widgets_.open, &QPushButton::clicked, this, &ServerListDialog::OnOpen);
  connect(widgets_.save, &QPushButton::clicked, this, &ServerListDialog::OnSave);
  connect(widgets_.copy, &QPushButton::clicked, this, [this] { editor_.Copy(); });
  connect(widgets_.paste, &QPushButton::clicked, this, [this] { editor_.Paste(); });
  connect(widgets_.remove, &QPushButton::clicked, this, [this] { editor_.Delete(); });
  connect(widgets_.exit, &QPushButton::clicked, this, &QDialog::reject);
  widgets_.position->setMoveRequest([this](int position, int delta) {
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

void ServerListDialog::showStop(const QString& text, const QString& caption) {
  prompts_.message(this, text, caption.isEmpty() ? applicationName() : caption, PromptIcon::Stop,
                   PromptButtons::Ok);
}

void ServerListDialog::pushForm(const EntryForm& form) { form_->push(form); }

bool ServerListDialog::pullForm(EntryForm& form) { return form_->pull(form); }

bool ServerListDialog::fieldModified(Field field) const { return form_->modified(field); }

void ServerListDialog::focusField(Field field) { form_->focus(field); }

bool ServerListDialog::askDiscard() {
  return prompts_.message(this, QString::fromLatin1(EntryEditor::kDiscardQuestion),
                          QString::fromLatin1(EntryEditor::kDiscardCaption), PromptIcon::Question,
                          PromptButtons::OkCancel);
}

void ServerListDialog::setPasteEnabled(bool enabled) { widgets_.paste->setEnabled(enabled); }

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

void ServerListDialog::showAbout() {
  AboutDialog about(this);
  about.exec();
}

void ServerListDialog::showHelp() {
  HelpWindow help(HelpTopic::ServerList, this);
  help.exec();
}

}  // namespace sci
