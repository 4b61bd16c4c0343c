#include "ui/qt/ServerListWindow.h"

#include <QAction>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QSessionManager>
#include <QShowEvent>
#include <QTimer>

#include "ui/AboutText.h"
#include "ui/qt/AboutDialog.h"
#include "ui/qt/HelpWindow.h"
#include "ui/qt/PositionSpinBox.h"

namespace sci {

ServerListWindow::ServerListWindow(DialogSetup setup, DialogPrompts* prompts, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("serverListDialog"));
  widgets_ = buildServerListLayout(*this);
  controls_ = std::make_unique<QtDialogControls>(*this, widgets_, [this](DialogResult result) {
    done(result == DialogResult::Ok ? Accepted : Rejected);
  });
  if (!prompts) {
    ownPrompts_ = std::make_unique<QtPrompts>(this);
    prompts = ownPrompts_.get();
  }
  core_ = std::make_unique<ServerListDialog>(*controls_, *prompts, std::move(setup));
  connectCommands();
  buildActions();
  core_->OnInitDialog();
}

ServerListWindow::~ServerListWindow() = default;

void ServerListWindow::connectCommands() {
  connect(widgets_.open, &QPushButton::clicked, this, [this] { core_->OnOpen(); });
  connect(widgets_.save, &QPushButton::clicked, this, [this] { core_->OnSave(); });
  connect(widgets_.copy, &QPushButton::clicked, this, [this] { core_->OnCopy(); });
  connect(widgets_.paste, &QPushButton::clicked, this, [this] { core_->OnPaste(); });
  connect(widgets_.remove, &QPushButton::clicked, this, [this] { core_->OnDelete(); });
  connect(widgets_.exit, &QPushButton::clicked, this, &ServerListWindow::reject);
  widgets_.position->setMoveRequest([this](int delta) { return core_->OnDeltaPos(delta); });
  // A log-off or shut-down through the session manager asks as closing does.
  // Without leave to interact nothing can be asked, and the session ends.
  connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
    if (!manager.allowsInteraction()) return;
    if (!core_->OnQueryEndSession()) manager.cancel();
    manager.release();
  });
}

void ServerListWindow::buildActions() {
  // The window manager's own menu is out of reach on X11 and Wayland, so
  // help and About are offered on the dialog's context menu instead.
  auto* help = new QAction(QStringLiteral("&Help"), this);
  help->setObjectName(QStringLiteral("helpAction"));
  help->setShortcut(QKeySequence::HelpContents);
  help->setShortcutContext(Qt::WindowShortcut);
  connect(help, &QAction::triggered, this, &ServerListWindow::showHelp);

  auto* separator = new QAction(this);
  separator->setSeparator(true);

  auto* about = new QAction(QString::fromLatin1(kAboutMenuText), this);
  about->setObjectName(QStringLiteral("aboutAction"));
  connect(about, &QAction::triggered, this, &ServerListWindow::showAbout);

  addActions({help, separator, about});
  setContextMenuPolicy(Qt::ActionsContextMenu);
}

void ServerListWindow::accept() { core_->OnOK(); }

void ServerListWindow::reject() { core_->OnCancel(); }

void ServerListWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Queued, so that its messages stand over the window once it is up.
  QTimer::singleShot(0, this, [this] { core_->OnShown(); });
}

void ServerListWindow::keyPressEvent(QKeyEvent* event) {
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

void ServerListWindow::showAbout() {
  AboutDialog about(this);
  about.exec();
}

void ServerListWindow::showHelp() {
  HelpWindow help(HelpTopic::ServerList, this);
  help.exec();
}

}  // namespace sci
