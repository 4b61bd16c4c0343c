#pragma once
// The server list dialog as a Qt window: the layout and its widgets, routed
// to the toolkit-free ServerListDialog, plus the window furniture (context
// menu with help and About, Enter as OK).

#include <QDialog>
#include <filesystem>
#include <memory>

#include "ui/ServerListDialog.h"
#include "ui/qt/QtDialogControls.h"
#include "ui/qt/QtPrompts.h"
#include "ui/qt/ServerListLayout.h"

namespace sci {

class ServerListWindow : public QDialog {
  Q_OBJECT

 public:
  // Builds the window and runs the dialog's start-up, including the device
  // configuration check with its message; the list given at start opens
  // once the window is shown. The window shows its own message boxes and
  // file dialogs unless prompts (which must outlive it) are given.
  explicit ServerListWindow(DialogSetup setup, DialogPrompts* prompts = nullptr,
                            QWidget* parent = nullptr);
  ~ServerListWindow() override;

  ServerListDialog& core() { return *core_; }
  const EntryEditor& editor() const { return core_->editor(); }
  const DeviceConfig& deviceConfig() const { return core_->deviceConfig(); }
  bool canOpen() const { return core_->canOpen(); }

 public slots:
  // Closes only when every field passes the read-back.
  void accept() override;
  // Esc and the window's close box: the core decides whether to close.
  void reject() override;
  void showAbout();
  void showHelp();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void connectCommands();
  void buildActions();

  ServerListWidgets widgets_;
  std::unique_ptr<QtDialogControls> controls_;
  std::unique_ptr<QtPrompts> ownPrompts_;
  std::unique_ptr<ServerListDialog> core_;
};

}  // namespace sci
