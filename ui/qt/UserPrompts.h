#pragma once
// The Qt form of the prompts, with the owner widget and Qt's strings; the
// dialog core reaches it through QtDialogPrompts, tests answer it from a script.

#include <QString>

#include "ui/DialogConstants.h"
#include "ui/DialogPrompts.h"

class QWidget;

namespace sci {

// The server list filters as Qt's file dialog takes them.
inline QString serverListFilter() {
  return QString::fromLatin1(kServerListFilterName) + QStringLiteral(";;") +
         QString::fromLatin1(kAllFilesFilterName);
}

class UserPrompts {
 public:
  virtual ~UserPrompts() = default;

  virtual PromptAnswer message(QWidget* owner, const QString& text, const QString& caption,
                               PromptIcon icon, PromptButtons buttons) = 0;

  // The full path chosen, or an empty string when the user cancelled. The
  // filter lists its entries separated by ";;", the first one selected.
  virtual QString chooseFile(QWidget* owner, FileDialogMode mode, const QString& filter,
                             const QString& startFolder = {}) = 0;
};

}  // namespace sci
