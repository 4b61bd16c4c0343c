// Open and Save: the file dialogs, the server list reader and writer, and
// the messages their results and failures show.

#include <QFile>
#include <exception>

#include "data/FileError.h"
#include "data/ResultMessages.h"
#include "data/ServerListFile.h"
#include "ui/ServerListDialog.h"
#include "ui/UserPrompts.h"

namespace sci {

namespace {

QString localText(const std::string& text) { return QString::fromLocal8Bit(text); }

std::filesystem::path localPath(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

}  // namespace

void ServerListDialog::OnSave() {
  const QString chosen =
      prompts_.chooseFile(this, FileDialogMode::Save, QString::fromLatin1(kServerListFilter));
  if (chosen.isEmpty()) return;
  // An invalid form is not stored: the file carries the entry as last stored.
  editor_.StoreEntry();
  const std::string path = serverListPath(QFile::encodeName(chosen).toStdString());
  try {
    if (writeServerList(path, editor_.table(), config_, defaultRandom, writeOps_) ==
        FileResult::OpenFailed) {
      showStop(QString::fromLatin1(kOpenFailedText));
    }
  } catch (const FileError& error) {
    showStop(localText(error.userMessage()));
  } catch (const std::exception& error) {
    showStop(localText(error.what()));
  }
}

void ServerListDialog::OnOpen() {
  const QString chosen =
      prompts_.chooseFile(this, FileDialogMode::Open, QString::fromLatin1(kServerListFilter));
  if (chosen.isEmpty()) return;
  openList(chosen);
}

void ServerListDialog::openList(const QString& path) {
  // Read into a copy so that no failure can leave the list half replaced.
  ServerTable table = editor_.table();
  FileResult result;
  try {
    result = readServerList(localPath(path), table);
  } catch (const FileError& error) {
    showStop(localText(error.userMessage()));
    return;
  } catch (const std::exception& error) {
    showStop(localText(error.what()));
    return;
  }
  switch (result) {
    case FileResult::Ok:
      editor_.replaceTable(table);
      editor_.ShowEntry();
      break;
    case FileResult::OpenFailed:
      showStop(QString::fromLatin1(kOpenFailedText));
      break;
    case FileResult::LengthError:
      showStop(QString::fromLatin1(kLengthErrorText));
      break;
    case FileResult::ChecksumError:
      showStop(QString::fromLatin1(kListChecksumErrorText));
      break;
  }
}

}  // namespace sci
