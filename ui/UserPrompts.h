#pragma once
// Every message box and file dialog the editor shows goes through this
// interface, so tests can answer them from a script.

#include <QString>

class QWidget;

namespace sci {

enum class PromptIcon { Stop, Exclamation, Question };
enum class PromptButtons { Ok, OkCancel };
enum class FileDialogMode { Open, Save };

inline constexpr const char* kServerListFilter = "BIN Files (*.bin);;All Files (*.*)";

class UserPrompts {
 public:
  virtual ~UserPrompts() = default;

  // True when the user answered OK.
  virtual bool message(QWidget* owner, const QString& text, const QString& caption, PromptIcon icon,
                       PromptButtons buttons) = 0;

  // The full path chosen, or an empty string when the user cancelled. The
  // filter lists its entries separated by ";;", the first one selected.
  virtual QString chooseFile(QWidget* owner, FileDialogMode mode, const QString& filter) = 0;
};

}  // namespace sci
