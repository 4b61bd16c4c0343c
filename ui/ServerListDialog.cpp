#include "ui/ServerListDialog.h"

#include <array>
#include <exception>

#include "data/FileError.h"
#include "data/ServerListFile.h"
#include "data/SingleByteText.h"
#include "ui/ApplicationName.h"
#include "ui/DialogControls.h"
#include "ui/DialogPrompts.h"
#include "ui/FieldBinding.h"

namespace sci {

namespace {

const std::array<FileFilter, 2> kListFilters{{
    {kServerListFilterName, kServerListFilterPattern},
    {kAllFilesFilterName, kAllFilesFilterPattern},
}};

// What EnableEditing switches: the visible fields and the file commands.
constexpr std::array<ControlId, 7> kEditingControls{IDC_SERVER,   IDC_PORT, IDC_KEY, IDC_USER_NAME,
                                                    IDC_PASSWORD, IDC_OPEN, IDC_SAVE};

std::string utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::filesystem::path fromUtf8(const std::string& text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

}  // namespace

ServerListDialog::ServerListDialog(DialogControls& controls, DialogPrompts& prompts,
                                   DialogSetup setup)
    : controls_(controls),
      prompts_(prompts),
      configPath_(std::move(setup.configPath)),
      configNamed_(setup.configNamed),
      writeOps_(std::move(setup.writeOps)),
      applicationName_(setup.applicationName.empty() ? sci::applicationName()
                                                     : std::move(setup.applicationName)),
      editor_(*this) {}

void ServerListDialog::OnInitDialog() {
  applyInputLimits(controls_);
  controls_.setPositionRange(kFirstPosition, kLastPosition);
  controls_.setPosition(kFirstPosition);
  editor_.ShowEntry();
  editor_.UpdatePasteButton();
  loadConfiguration();
}

void ServerListDialog::loadConfiguration() {
  FileResult result;
  try {
    result = loadDeviceConfig(config_, configPath_);
  } catch (const FileError& error) {
    showStop(error.userMessage());
    EnableEditing(false);
    return;
  }
  if (result == FileResult::Ok) {
    controls_.setCaption(bytesToUtf8(config_.title()));
    return;
  }
  const ResultMessage message = resultMessage(result, ResultFile::DeviceConfig);
  // The fixed text speaks of the default name; a file the user named is
  // named on a line of its own.
  std::string text = message.text;
  if (configNamed_) {
    text += '\n';
    text += utf8(configPath_);
  }
  showStop(text, message.caption);
  EnableEditing(false);
}

void ServerListDialog::showResult(FileResult result, ResultFile kind) {
  const ResultMessage message = resultMessage(result, kind);
  showStop(message.text, message.caption);
}

void ServerListDialog::showStop(const std::string& text, const std::string& caption) {
  prompts_.message(text, caption.empty() ? applicationName_ : caption, PromptIcon::Stop,
                   PromptButtons::Ok);
}

void ServerListDialog::EnableEditing(bool enable) {
  for (ControlId id : kEditingControls) controls_.setEnabled(id, enable);
}

bool ServerListDialog::canOpen() const { return controls_.enabled(IDC_OPEN); }

void ServerListDialog::OnOpen() {
  const auto chosen = prompts_.chooseFile(FileDialogMode::Open, kListFilters, listFolder_);
  if (chosen) readList(*chosen);
}

void ServerListDialog::openList(const std::filesystem::path& path) {
  rememberFolderOf(path);
  if (canOpen()) {
    readList(path);
    return;
  }
  // Open is disabled without a valid configuration, and so is this; a user
  // who double-clicked the list must learn why it is not shown.
  showStop("The list was not opened: " + utf8(path) + "\nTo open it, put an " + kDefaultConfigPath +
           " beside the list, or name one with --config.");
}

void ServerListDialog::rememberFolderOf(const std::filesystem::path& path) {
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(path, error);
  if (!error) listFolder_ = full.parent_path();
}

void ServerListDialog::readList(const std::filesystem::path& path) {
  // Read into a copy so that no failure can leave the list half replaced.
  ServerTable table = editor_.table();
  FileResult result;
  try {
    result = readServerList(path, table);
  } catch (const FileError& error) {
    showStop(error.userMessage());
    return;
  } catch (const std::exception& error) {
    showStop(error.what());
    return;
  }
  if (result != FileResult::Ok) {
    showResult(result, ResultFile::ServerList);
    return;
  }
  editor_.replaceTable(table);
  editor_.ShowEntry();
  rememberFolderOf(path);
}

void ServerListDialog::OnSave() {
  const auto chosen = prompts_.chooseFile(FileDialogMode::Save, kListFilters, listFolder_);
  if (!chosen) return;
  // An invalid form is not stored: the file carries the entry as last stored.
  editor_.StoreEntry();
  const std::filesystem::path path = fromUtf8(serverListPath(utf8(*chosen)));
  try {
    const FileResult result =
        writeServerList(path, editor_.table(), config_, defaultRandom, writeOps_);
    if (result != FileResult::Ok) {
      showResult(result, ResultFile::ServerList);
      return;
    }
    rememberFolderOf(path);
  } catch (const FileError& error) {
    showStop(error.userMessage());
  } catch (const std::exception& error) {
    showStop(error.what());
  }
}

void ServerListDialog::OnOK() {
  EntryForm form = editor_.form();
  if (pullForm(form)) controls_.close(DialogResult::Ok);
}

void ServerListDialog::OnCancel() { controls_.close(DialogResult::Cancel); }

void ServerListDialog::OnCopy() { editor_.Copy(); }

void ServerListDialog::OnPaste() { editor_.Paste(); }

void ServerListDialog::OnDelete() { editor_.Delete(); }

int ServerListDialog::OnDeltaPos(int iPos, int iDelta) { return editor_.MoveTo(iPos, iDelta); }

void ServerListDialog::pushForm(const EntryForm& form) { sci::pushForm(controls_, form); }

bool ServerListDialog::pullForm(EntryForm& form) {
  return sci::pullForm(controls_, prompts_, applicationName_, form);
}

bool ServerListDialog::fieldModified(Field field) const {
  return sci::fieldModified(controls_, field);
}

void ServerListDialog::focusField(Field field) { sci::focusField(controls_, field); }

bool ServerListDialog::askDiscard() {
  return prompts_.message(EntryEditor::kDiscardQuestion, EntryEditor::kDiscardCaption,
                          PromptIcon::Question, PromptButtons::OkCancel);
}

void ServerListDialog::setPasteEnabled(bool enabled) { controls_.setEnabled(IDC_PASTE, enabled); }

}  // namespace sci
