#include "ui/qt/QtDialogPrompts.h"

#include <QString>
#include <QStringList>

namespace sci {

namespace {

QString fromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

PromptAnswer QtDialogPrompts::message(std::string_view text, std::string_view caption,
                                      PromptIcon icon, PromptButtons buttons) {
  return prompts_.message(&owner_, fromUtf8(text), fromUtf8(caption), icon, buttons);
}

std::optional<std::filesystem::path> QtDialogPrompts::chooseFile(
    FileDialogMode mode, std::span<const FileFilter> filters,
    const std::filesystem::path& startFolder) {
  QStringList entries;
  for (const FileFilter& filter : filters) entries << fromUtf8(filter.name);
  const QString chosen = prompts_.chooseFile(&owner_, mode, entries.join(QStringLiteral(";;")),
                                             QString::fromStdU16String(startFolder.u16string()));
  if (chosen.isEmpty()) return std::nullopt;
  // UTF-16 to the system's path encoding directly, without a detour through
  // a narrow string.
  return std::filesystem::path(chosen.toStdU16String());
}

}  // namespace sci
