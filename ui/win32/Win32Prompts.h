#pragma once
// Message boxes and the common file dialogs, owned by the main dialog.

#include <windows.h>

#include "ui/DialogPrompts.h"

namespace sci::win32 {

class Win32Prompts : public DialogPrompts {
 public:
  explicit Win32Prompts(HWND owner) : owner_(owner) {}

  PromptAnswer message(std::string_view text, std::string_view caption, PromptIcon icon,
                       PromptButtons buttons) override;
  std::optional<std::filesystem::path> chooseFile(
      FileDialogMode mode, std::span<const FileFilter> filters,
      const std::filesystem::path& startFolder) override;

 private:
  // The focus goes back to the control that had it before the box.
  void restoreFocus(HWND focused) const;

  HWND owner_;
};

}  // namespace sci::win32
