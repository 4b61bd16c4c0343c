#include "ui/ServerListDialog.h"

#include <array>
#include <exception>
#include <utility>

#include "data/FileError.h"
#include "data/FileRefusal.h"
#include "data/FixedSizeRead.h"
#include "data/ServerListFile.h"
#include "data/SingleByteText.h"
#include "data/SystemError.h"
#include "ui/ApplicationName.h"
#include "ui/CommandLine.h"
#include "ui/DialogControls.h"
#include "ui/DialogPrompts.h"
#include "ui/FieldBinding.h"

namespace sci {

namespace {

const std::array<FileFilter, 2> kListFilters{{
    {kServerListFilterName, kServerListFilterPattern},
    {kAllFilesFilterName, kAllFilesFilterPattern},
}};

// What enableEditing switches: the visible fields and the file commands.
constexpr std::array<ControlId, 7> kEditingControls{IDC_SERVER,   IDC_PORT, IDC_KEY, IDC_USER_NAME,
                                                    IDC_PASSWORD, IDC_OPEN, IDC_SAVE};

// Reads a file of its one known size and decodes it; the result is what a
// refusal says about it (its result is Ok when the file was taken).
template <typename Decode>
FileRefusal readAndDecode(const std::filesystem::path& path, std::size_t size, ResultFile kind,
                          Decode decode) {
  FileRefusal refusal;
  refusal.kind = kind;
  const FileOfSize file = readFileOfSize(path, {size});
  refusal.result = file.result;
  refusal.osError = file.openError;
  refusal.size = file.size;
  if (file.result == FileResult::Ok) refusal.result = decode(file.bytes);
  return refusal;
}

}  // namespace

DialogSetup setupFrom(const CommandLine& command) {
  DialogSetup setup;
  setup.configPath = command.configPath;
  setup.configNamed = command.configNamed;
  setup.listPath = command.listPath;
  return setup;
}

ServerListDialog::ServerListDialog(DialogControls& controls, DialogPrompts& prompts,
                                   DialogSetup setup)
    : controls_(controls),
      prompts_(prompts, controls),
      configPath_(std::move(setup.configPath)),
      configNamed_(setup.configNamed),
      writeOps_(std::move(setup.writeOps)),
      applicationName_(setup.applicationName.empty() ? sci::applicationName()
                                                     : std::move(setup.applicationName)),
      listAtStart_(std::move(setup.listPath)),
      editor_(*this),
      savedTable_(editor_.table()) {}

void ServerListDialog::OnInitDialog() {
  applyFieldRules(controls_);
  controls_.setPositionRange(kFirstPosition, kLastPosition);
  controls_.setPosition(kFirstPosition);
  editor_.ShowEntry();
  editor_.UpdatePasteButton();
  loadConfiguration();
}

void ServerListDialog::OnShown() {
  if (const auto list = std::exchange(listAtStart_, std::nullopt)) openList(*list);
}

void ServerListDialog::loadConfiguration() {
  FileRefusal refusal;
  try {
    refusal = readAndDecode(configPath_, kDeviceConfigSize, ResultFile::DeviceConfig,
                            [&](const auto& bytes) { return decodeDeviceConfig(bytes, config_); });
  } catch (const FileError& error) {
    showStop(fileErrorMessage(error));
    enableEditing(false);
    return;
  }
  if (refusal.result == FileResult::Ok) {
    controls_.setCaption(bytesToUtf8(config_.title()));
    return;
  }
  showStop(refusalMessage(configPath_, refusal),
           resultMessage(refusal.result, ResultFile::DeviceConfig).caption);
  enableEditing(false);
}

void ServerListDialog::showStop(const std::string& text, const std::string& caption) {
  prompts_.message(text, caption.empty() ? applicationName_ : caption, PromptIcon::Stop,
                   PromptButtons::Ok);
}

void ServerListDialog::enableEditing(bool enable) {
  for (ControlId id : kEditingControls) controls_.setEnabled(id, enable);
}

bool ServerListDialog::canOpen() const { return controls_.enabled(IDC_OPEN); }

void ServerListDialog::OnOpen() {
  if (const auto chosen = chooseList(FileDialogMode::Open)) readList(*chosen);
}

std::optional<std::filesystem::path> ServerListDialog::chooseList(FileDialogMode mode) {
  FileRequest request;
  request.mode = mode;
  request.filters = kListFilters;
  request.startFolder = listFolder_;
  // Save replaces a file without asking first, and Open takes any name:
  // reading one that does not exist fails with the message that names it.
  request.askBeforeReplacing = false;
  request.mustExist = false;
  return prompts_.chooseFile(request);
}

void ServerListDialog::openList(const std::filesystem::path& path) {
  rememberFolderOf(path);
  // Reading a list needs no configuration: a user who double-clicked one
  // sees it, and learns why it cannot be changed.
  if (readList(path) && !canOpen()) {
    showStop(std::string(kReadOnlyListText) + "\n" + configPlacementAdvice());
  }
}

void ServerListDialog::rememberFolderOf(const std::filesystem::path& path) {
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(path, error);
  if (!error) listFolder_ = full.parent_path();
}

bool ServerListDialog::readList(const std::filesystem::path& path) {
  // Read into a copy so that no failure can leave the list half replaced.
  ServerTable table = editor_.table();
  FileRefusal refusal;
  try {
    refusal = readAndDecode(path, kServerListSize, ResultFile::ServerList,
                            [&](const auto& bytes) { return decodeServerList(bytes, table); });
  } catch (const FileError& error) {
    showStop(fileErrorMessage(error));
    return false;
  } catch (const std::exception& error) {
    showStop(error.what());
    return false;
  }
  if (refusal.result != FileResult::Ok) {
    showStop(refusalMessage(path, refusal));
    return false;
  }
  editor_.replaceTable(table);
  editor_.ShowEntry();
  markSaved();
  rememberFolderOf(path);
  return true;
}

void ServerListDialog::OnSave() { saveList(); }

bool ServerListDialog::saveList() {
  const auto chosen = chooseList(FileDialogMode::Save);
  if (!chosen) return false;
  // An invalid form is not stored: the file carries the entry as last stored.
  editor_.StoreEntry();
  const std::filesystem::path path = serverListPath(*chosen);
  try {
    const FileResult result =
        writeServerList(path, editor_.table(), config_, defaultRandom, writeOps_);
    if (result != FileResult::Ok) {
      FileRefusal refusal;
      refusal.osError = lastSystemError();
      refusal.result = result;
      refusal.access = FileAccess::Write;
      showStop(refusalMessage(path, refusal));
      return false;
    }
  } catch (const FileError& error) {
    showStop(fileErrorMessage(error));
    return false;
  } catch (const std::exception& error) {
    showStop(error.what());
    return false;
  }
  markSaved();
  rememberFolderOf(path);
  return true;
}

void ServerListDialog::markSaved() {
  savedTable_ = editor_.table();
  rememberShownTexts();
}

void ServerListDialog::rememberShownTexts() {
  for (std::size_t i = 0; i < kFieldBindings.size(); ++i) {
    shownTexts_[i] = controls_.text(kFieldBindings[i].control);
  }
}

bool ServerListDialog::hasUnsavedChanges() const {
  if (!canOpen()) return false;
  if (editor_.table() != savedTable_) return true;
  for (std::size_t i = 0; i < kFieldBindings.size(); ++i) {
    if (controls_.text(kFieldBindings[i].control) != shownTexts_[i]) return true;
  }
  return false;
}

void ServerListDialog::OnOK() {
  EntryForm form = editor_.form();
  if (pullForm(form)) closeAfterAsking(DialogResult::Ok);
}

void ServerListDialog::OnCancel() { closeAfterAsking(DialogResult::Cancel); }

bool ServerListDialog::OnQueryEndSession() {
  if (!hasUnsavedChanges()) return true;
  // Over a box or file dialog still open, a question could start a second
  // Save; the session waits until the user has finished there.
  if (prompts_.anyOpen()) return false;
  return mayEnd();
}

void ServerListDialog::closeAfterAsking(DialogResult result) {
  if (mayEnd()) controls_.close(result);
}

bool ServerListDialog::mayEnd() {
  if (!hasUnsavedChanges()) return true;
  switch (prompts_.message(kSaveChangesQuestion, applicationName_, PromptIcon::Question,
                           PromptButtons::YesNoCancel)) {
    case PromptAnswer::Yes:
      return saveList();
    case PromptAnswer::No:
      return true;
    case PromptAnswer::Ok:
    case PromptAnswer::Cancel:
      return false;
  }
  return false;
}

void ServerListDialog::OnCopy() { editor_.Copy(); }

void ServerListDialog::OnPaste() { editor_.Paste(); }

void ServerListDialog::OnDelete() { editor_.Delete(); }

int ServerListDialog::OnDeltaPos(int iDelta) {
  // A page key or an accelerated hold proposes several entries at once; the
  // list moves one at a time so that no entry is passed over unseen.
  if (iDelta != 0) editor_.MoveTo(editor_.current() + kFirstPosition, iDelta > 0 ? 1 : -1);
  return editor_.current() + kFirstPosition;
}

void ServerListDialog::pushForm(const EntryForm& form) {
  sci::pushForm(controls_, form);
  rememberShownTexts();
}

bool ServerListDialog::pullForm(EntryForm& form) {
  return sci::pullForm(controls_, prompts_, applicationName_, form);
}

bool ServerListDialog::fieldModified(Field field) const {
  return sci::fieldModified(controls_, field);
}

void ServerListDialog::focusField(Field field) { sci::focusField(controls_, field); }

bool ServerListDialog::askDiscard() {
  return prompts_.message(EntryEditor::kDiscardQuestion, EntryEditor::kDiscardCaption,
                          PromptIcon::Question, PromptButtons::OkCancel) == PromptAnswer::Ok;
}

void ServerListDialog::setPasteEnabled(bool enabled) { controls_.setEnabled(IDC_PASTE, enabled); }

}  // namespace sci
