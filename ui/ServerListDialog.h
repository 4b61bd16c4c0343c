#pragma once
// The editor's one working window without its toolkit: one server entry at
// a time, the list position, and the Open, Save, Copy, Paste, Delete and
// Exit commands. Each front end routes its window's events to the handlers
// below and supplies the controls and prompts.

#include <array>
#include <filesystem>
#include <optional>
#include <string>

#include "data/AtomicWrite.h"
#include "data/DeviceConfig.h"
#include "data/FileResult.h"
#include "data/ResultMessages.h"
#include "editor/EntryEditor.h"
#include "editor/EntryView.h"
#include "ui/DialogConstants.h"
#include "ui/DialogControls.h"
#include "ui/FieldBinding.h"
#include "ui/FocusReturningPrompts.h"

namespace sci {

class DialogPrompts;
struct CommandLine;

struct DialogSetup {
  std::filesystem::path configPath = kDefaultConfigPath;
  // Named by the user (--config): a failure to read it names the file.
  bool configNamed = false;
  // How Save writes its bytes; replaceable to provoke write failures.
  WriteOps writeOps = WriteOps::system();
  // The caption of every message that names no other; empty for the
  // running program's name.
  std::string applicationName;
  // The list given at start, opened by OnShown.
  std::optional<std::filesystem::path> listPath;
};

// The start-up both front ends take from their command line, so that the
// two cannot differ.
DialogSetup setupFrom(const CommandLine& command);

class ServerListDialog : public EntryView {
 public:
  ServerListDialog(DialogControls& controls, DialogPrompts& prompts, DialogSetup setup = {});

  const EntryEditor& editor() const { return editor_; }
  const DeviceConfig& deviceConfig() const { return config_; }
  const std::string& applicationName() const { return applicationName_; }

  // Limits, the first entry, the clipboard's button and the device
  // configuration that decides the caption and whether editing is offered.
  void OnInitDialog();
  // Once the window is up, so that the messages stand over it: opens the
  // list given at start, if any, with openList. Only the first call does.
  void OnShown();
  void OnOpen();
  void OnSave();
  // Enter: closes only when every field passes the read-back. Either way of
  // closing first asks whether to save changes that no file holds.
  void OnOK();
  void OnCancel();
  // The system is ending the session (log-off, shut-down): whether the
  // program may end with it. Asks as closing does; the window stays when
  // the user cancels or the save fails, and the system then keeps running.
  // With changes while one of the window's boxes is open, it refuses at
  // once.
  bool OnQueryEndSession();
  void OnCopy();
  void OnPaste();
  void OnDelete();
  // The spin control proposes a change of the list position: one entry up
  // or down by its sign, however large it is. Returns the position (1-based)
  // the control is to show, the same one when the move was refused.
  int OnDeltaPos(int iDelta);

  void enableEditing(bool enable);
  // Whether Open is offered: only with a valid device configuration.
  bool canOpen() const;
  // The list given at start, read as Open reads a chosen file with the same
  // messages; while editing is not offered it is shown read-only, with a
  // word on where the configuration belongs.
  void openList(const std::filesystem::path& path);

  // Whether closing now would lose work: an entry stored, pasted or deleted
  // since the list was last opened or saved, or a field whose text differs
  // from what was last shown in it. Never while editing is disabled, since
  // nothing could be saved.
  bool hasUnsavedChanges() const;

  // EntryView
  void pushForm(const EntryForm& form) override;
  bool pullForm(EntryForm& form) override;
  bool fieldModified(Field field) const override;
  void focusField(Field field) override;
  bool askDiscard() override;
  void setPasteEnabled(bool enabled) override;

 private:
  void loadConfiguration();
  // True when the list was read and is shown.
  bool readList(const std::filesystem::path& path);
  // True when the list was written.
  bool saveList();
  // The file dialog for lists, as Open and Save show it.
  std::optional<std::filesystem::path> chooseList(FileDialogMode mode);
  void closeAfterAsking(DialogResult result);
  // Whether the program may end: no changes, or the user saved them or let
  // them go.
  bool mayEnd();
  void markSaved();
  void rememberShownTexts();
  void rememberFolderOf(const std::filesystem::path& path);
  void showStop(const std::string& text, const std::string& caption = {});

  DialogControls& controls_;
  // Every prompt goes through here, so the focus comes back after it.
  FocusReturningPrompts prompts_;
  std::filesystem::path configPath_;
  bool configNamed_;
  // Where the file dialogs start: the folder of the list last opened or
  // saved, or given at start.
  std::filesystem::path listFolder_;
  WriteOps writeOps_;
  std::string applicationName_;
  // Until OnShown opens it.
  std::optional<std::filesystem::path> listAtStart_;
  DeviceConfig config_;
  EntryEditor editor_;
  // The table as the last opened or saved file holds it.
  ServerTable savedTable_;
  // Each bound field's text as last shown, in binding order.
  std::array<std::string, kFieldBindings.size()> shownTexts_;
};

}  // namespace sci
