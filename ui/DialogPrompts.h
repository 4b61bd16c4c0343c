#pragma once
// Every message box and file dialog the dialog shows goes through this
// interface, so tests can answer them from a script and each front end
// shows its own system's boxes. Texts are UTF-8; paths stay paths. What a
// box asks and how a file dialog behaves is decided by the dialog core;
// a front end only shows it. Where the focus goes afterwards is the core's
// too (see FocusReturningPrompts).

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace sci {

enum class PromptIcon { Stop, Exclamation, Question };
enum class PromptButtons { Ok, OkCancel, YesNoCancel };
// The button the user pressed; closing a box by Esc or its close box is Cancel
// (or Ok where Ok is the only button).
enum class PromptAnswer { Ok, Cancel, Yes, No };
enum class FileDialogMode { Open, Save };

struct FileFilter {
  std::string name;     // "BIN Files (*.bin)"
  std::string pattern;  // "*.bin"
};

// One file dialog as the core wants it shown.
struct FileRequest {
  FileDialogMode mode = FileDialogMode::Open;
  // Offered in this order, the first one selected. "*.*" means every file,
  // names without a dot included, as Windows reads it.
  std::span<const FileFilter> filters;
  // Where the dialog starts; empty leaves it to the system.
  std::filesystem::path startFolder;
  // Whether choosing an existing file asks before it is replaced.
  bool askBeforeReplacing = false;
  // Whether only the names of existing files are accepted.
  bool mustExist = false;
};

class DialogPrompts {
 public:
  virtual ~DialogPrompts() = default;

  // Owned by the dialog.
  virtual PromptAnswer message(std::string_view text, std::string_view caption, PromptIcon icon,
                               PromptButtons buttons) = 0;

  // The full path chosen, or nullopt when the user cancelled.
  virtual std::optional<std::filesystem::path> chooseFile(const FileRequest& request) = 0;
};

}  // namespace sci
