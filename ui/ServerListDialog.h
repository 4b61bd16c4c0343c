#pragma once
// The editor's one working window: one server entry at a time, the list
// position, and the Open, Save, Copy, Paste, Delete and Exit commands.
//
// Its parts live in their own files: the layout (ServerListLayout), the
// fields bound to the form (FormBinding), the start-up steps
// (ServerListStartup.cpp) and the file commands (ServerListFileCommands.cpp).

#include <QDialog>
#include <filesystem>
#include <memory>

#include "data/AtomicWrite.h"
#include "data/DeviceConfig.h"
#include "editor/EntryEditor.h"
#include "editor/EntryView.h"
#include "ui/ServerListLayout.h"

namespace sci {

class FormBinding;
class UserPrompts;

struct DialogSetup {
  UserPrompts& prompts;
  std::filesystem::path configPath = kDeviceConfigFileName;
  // How Save writes its bytes; replaceable to provoke write failures.
  WriteOps writeOps = WriteOps::system();
};

class ServerListDialog : public QDialog, public EntryView {
  Q_OBJECT

 public:
  // Builds the window and runs the start-up steps, including the device
  // configuration check with its message.
  explicit ServerListDialog(DialogSetup setup, QWidget* parent = nullptr);
  ~ServerListDialog() override;

  const EntryEditor& editor() const { return editor_; }
  const DeviceConfig& deviceConfig() const { return config_; }

  // EntryView
  void pushForm(const EntryForm& form) override;
  bool pullForm(EntryForm& form) override;
  bool fieldModified(Field field) const override;
  void focusField(Field field) override;
  bool askDiscard() override;
  void setPasteEnabled(bool enabled) override;

  void EnableEditing(bool enable);
  // Whether Open is offered: only with a valid device configuration.
  bool canOpen() const;
  // Reads path as Open does once its file dialog has chosen it, with the
  // same messages (ServerListFileCommands.cpp).
  void openList(const QString& path);

 public slots:
  // Closes only when every field passes the read-back.
  void accept() override;
  void OnOpen();
  void OnSave();
  void showAbout();
  void showHelp();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void connectCommands();
  void buildActions();
  // ServerListStartup.cpp
  void startUp();
  void loadConfiguration();
  void showStop(const QString& text, const QString& caption = {});

  UserPrompts& prompts_;
  std::filesystem::path configPath_;
  WriteOps writeOps_;
  DeviceConfig config_;
  EntryEditor editor_;
  ServerListWidgets widgets_;
  std::unique_ptr<FormBinding> form_;
};

}  // namespace sci
