#pragma once
// The editor's one working window without its toolkit: one server entry at
// a time, the list position, and the Open, Save, Copy, Paste, Delete and
// Exit commands. Each front end routes its window's events to the handlers
// below and supplies the controls and prompts.

#include <filesystem>
#include <string>

#include "data/AtomicWrite.h"
#include "data/DeviceConfig.h"
#include "data/FileResult.h"
#include "data/ResultMessages.h"
#include "editor/EntryEditor.h"
#include "editor/EntryView.h"
#include "ui/DialogConstants.h"

namespace sci {

class DialogControls;
class DialogPrompts;

struct DialogSetup {
  std::filesystem::path configPath = kDefaultConfigPath;
  // Named by the user (--config): a failure to read it names the file.
  bool configNamed = false;
  // How Save writes its bytes; replaceable to provoke write failures.
  WriteOps writeOps = WriteOps::system();
  // The caption of every message that names no other; empty for the
  // running program's name.
  std::string applicationName;
};

class ServerListDialog : public EntryView {
 public:
  ServerListDialog(DialogControls& controls, DialogPrompts& prompts, DialogSetup setup = {});

  const EntryEditor& editor() const { return editor_; }
  const DeviceConfig& deviceConfig() const { return config_; }
  const std::string& applicationName() const { return applicationName_; }

  // Limits, the first entry, the clipboard's button and the device
  // configuration that decides the caption and whether editing is offered.
  void OnInitDialog();
  void OnOpen();
  void OnSave();
  // Enter: closes only when every field passes the read-back.
  void OnOK();
  void OnCancel();
  void OnCopy();
  void OnPaste();
  void OnDelete();
  // The spin control's proposed change; returns the change to apply.
  int OnDeltaPos(int iPos, int iDelta);

  void EnableEditing(bool enable);
  // Whether Open is offered: only with a valid device configuration.
  bool canOpen() const;
  // The list given at start, read as Open reads a chosen file with the same
  // messages; while Open is not offered, it says why the list stays closed.
  void openList(const std::filesystem::path& path);

  // EntryView
  void pushForm(const EntryForm& form) override;
  bool pullForm(EntryForm& form) override;
  bool fieldModified(Field field) const override;
  void focusField(Field field) override;
  bool askDiscard() override;
  void setPasteEnabled(bool enabled) override;

 private:
  void loadConfiguration();
  void readList(const std::filesystem::path& path);
  void rememberFolderOf(const std::filesystem::path& path);
  void showResult(FileResult result, ResultFile kind);
  void showStop(const std::string& text, const std::string& caption = {});

  DialogControls& controls_;
  DialogPrompts& prompts_;
  std::filesystem::path configPath_;
  bool configNamed_;
  // Where the file dialogs start: the folder of the list last opened or
  // saved, or given at start.
  std::filesystem::path listFolder_;
  WriteOps writeOps_;
  std::string applicationName_;
  DeviceConfig config_;
  EntryEditor editor_;
};

}  // namespace sci
