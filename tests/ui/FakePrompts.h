#pragma once
// Records every message and file dialog the dialog core asks for and
// answers them from a script, so no test blocks on a real window. Shared by
// the core's tests and the Qt window's.

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/DialogPrompts.h"

namespace sci::test {

struct Shown {
  std::string text;
  std::string caption;
  PromptIcon icon;
  PromptButtons buttons;
};

// A FileRequest with its filters kept.
struct FileAsked {
  FileDialogMode mode;
  std::vector<FileFilter> filters;
  std::filesystem::path startFolder;
  bool askBeforeReplacing;
  bool mustExist;
};

class FakePrompts : public DialogPrompts {
 public:
  std::vector<Shown> messages;
  // Answers for questions, taken front first; a question with no answer
  // left counts in unanswered and gets Cancel.
  std::deque<PromptAnswer> answers;
  int unanswered = 0;
  std::deque<std::optional<std::filesystem::path>> chosen;  // none left = Cancel
  std::vector<FileAsked> files;
  // Runs while each box or file dialog is up, as the user's doings there.
  std::function<void()> whileShown;

  PromptAnswer message(std::string_view text, std::string_view caption, PromptIcon icon,
                       PromptButtons buttons) override {
    messages.push_back({std::string(text), std::string(caption), icon, buttons});
    if (whileShown) whileShown();
    if (buttons == PromptButtons::Ok) return PromptAnswer::Ok;
    if (answers.empty()) {
      ++unanswered;
      return PromptAnswer::Cancel;
    }
    const PromptAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::optional<std::filesystem::path> chooseFile(const FileRequest& request) override {
    files.push_back({request.mode,
                     {request.filters.begin(), request.filters.end()},
                     request.startFolder,
                     request.askBeforeReplacing,
                     request.mustExist});
    if (whileShown) whileShown();
    if (chosen.empty()) return std::nullopt;
    auto path = chosen.front();
    chosen.pop_front();
    return path;
  }

  std::vector<std::string> texts() const {
    std::vector<std::string> result;
    for (const Shown& shown : messages) result.push_back(shown.text);
    return result;
  }
  std::vector<FileDialogMode> fileModes() const {
    std::vector<FileDialogMode> result;
    for (const FileAsked& asked : files) result.push_back(asked.mode);
    return result;
  }
};

}  // namespace sci::test
