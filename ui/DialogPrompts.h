#pragma once
// Every message box and file dialog the dialog shows goes through this
// interface, so tests can answer them from a script and each front end
// shows its own system's boxes. Texts are UTF-8; paths stay paths.

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

class DialogPrompts {
 public:
  virtual ~DialogPrompts() = default;

  // Owned by the dialog.
  virtual PromptAnswer message(std::string_view text, std::string_view caption, PromptIcon icon,
                               PromptButtons buttons) = 0;

  // The full path chosen, or nullopt when the user cancelled. The first
  // filter is selected; the dialog starts in startFolder when it is not empty.
  virtual std::optional<std::filesystem::path> chooseFile(
      FileDialogMode mode, std::span<const FileFilter> filters,
      const std::filesystem::path& startFolder) = 0;
};

}  // namespace sci
