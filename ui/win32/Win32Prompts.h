#pragma once
// Message boxes and the common file dialogs, owned by the main dialog. The
// core gives the focus back afterwards (FocusReturningPrompts).

#include <windows.h>

#include "ui/DialogPrompts.h"

namespace sci::win32 {

class Win32Prompts : public DialogPrompts {
 public:
  explicit Win32Prompts(HWND owner) : owner_(owner) {}

  PromptAnswer message(std::string_view text, std::string_view caption, PromptIcon icon,
                       PromptButtons buttons) override;
  std::optional<std::filesystem::path> chooseFile(const FileRequest& request) override;

 private:
  HWND owner_;
};

}  // namespace sci::win32
