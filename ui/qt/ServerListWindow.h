#pragma once
// The server list dialog as a Qt window: the layout and its widgets, routed
// to the toolkit-free ServerListDialog, plus the window furniture (context
// menu with help and About, Enter as OK).

#include <QDialog>
#include <filesystem>
#include <memory>

#include "ui/ServerListDialog.h"
#include "ui/qt/QtDialogControls.h"
#include "ui/qt/QtDialogPrompts.h"
#include "ui/qt/ServerListLayout.h"

namespace sci {

class UserPrompts;

struct WindowSetup {
  UserPrompts& prompts;
  std::filesystem::path configPath = kDefaultConfigPath;
  // How Save writes its bytes; replaceable to provoke write failures.
  WriteOps writeOps = WriteOps::system();
  // Named with --config: a failure to read it names the file.
  bool configNamed = false;
};

class ServerListWindow : public QDialog {
  Q_OBJECT

 public:
  // Builds the window and runs the dialog's start-up, including the device
  // configuration check with its message.
  explicit ServerListWindow(WindowSetup setup, QWidget* parent = nullptr);
  ~ServerListWindow() override;

  ServerListDialog& dialog() { return *dialog_; }
  const EntryEditor& editor() const { return dialog_->editor(); }
  const DeviceConfig& deviceConfig() const { return dialog_->deviceConfig(); }
  bool canOpen() const { return dialog_->canOpen(); }
  void openList(const std::filesystem::path& path) { dialog_->openList(path); }

 public slots:
  // Closes only when every field passes the read-back.
  void accept() override;
  // Esc and the window's close box: the core decides whether to close.
  void reject() override;
  void OnOpen();
  void OnSave();
  void showAbout();
  void showHelp();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void connectCommands();
  void buildActions();

  ServerListWidgets widgets_;
  std::unique_ptr<QtDialogControls> controls_;
  std::unique_ptr<QtDialogPrompts> prompts_;
  std::unique_ptr<ServerListDialog> dialog_;
};

}  // namespace sci
