#pragma once
// The editor's one working window: one server entry at a time, the list
// position, and the Open, Save, Copy, Paste, Delete and Exit commands.

#include <QDialog>
#include <filesystem>

#include "data/DeviceConfig.h"
#include "data/ServerListFile.h"
#include "editor/EntryEditor.h"
#include "editor/EntryView.h"

class QAction;
class QLabel;
class QPushButton;

namespace sci {

class FieldEdit;
class PositionSpinBox;
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
  void buildWidgets();
  void buildActions();
  void startUp();
  void loadConfiguration();
  void showStop(const QString& text, const QString& caption = {});
  FieldEdit* edit(Field field) const;
  bool pullText(Field field, int limit, std::string& value);
  bool pullPort(Field field, std::uint32_t& value);
  void refuseField(Field field, const QString& message);

  UserPrompts& prompts_;
  std::filesystem::path configPath_;
  WriteOps writeOps_;
  DeviceConfig config_;
  EntryEditor editor_;

  FieldEdit* server_ = nullptr;
  FieldEdit* port_ = nullptr;
  FieldEdit* serverConfirm_ = nullptr;
  FieldEdit* portConfirm_ = nullptr;
  FieldEdit* key_ = nullptr;
  FieldEdit* userName_ = nullptr;
  FieldEdit* password_ = nullptr;
  FieldEdit* passwordConfirm_ = nullptr;
  PositionSpinBox* position_ = nullptr;
  QLabel* infoLine_ = nullptr;
  QPushButton* open_ = nullptr;
  QPushButton* save_ = nullptr;
  QPushButton* copy_ = nullptr;
  QPushButton* paste_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* exit_ = nullptr;
};

}  // namespace sci
