// The server list dialog's start-up: the empty form, the first entry, and
// the device configuration that decides the caption and whether editing and
// the file commands are offered. Everything the dialog does before the user
// can act is here.

#include <QPushButton>
#include <initializer_list>

#include "data/FileError.h"
#include "data/ResultMessages.h"
#include "ui/FieldEdit.h"
#include "ui/PositionSpinBox.h"
#include "ui/ServerListDialog.h"
#include "ui/SingleByteQString.h"

namespace sci {

void ServerListDialog::startUp() {
  pushForm(EntryForm{});
  widgets_.position->setValue(1);
  editor_.ShowEntry();
  editor_.UpdatePasteButton();
  loadConfiguration();
}

void ServerListDialog::loadConfiguration() {
  FileResult result;
  try {
    result = loadDeviceConfig(config_, configPath_);
  } catch (const FileError& error) {
    showStop(QString::fromLocal8Bit(error.userMessage()));
    EnableEditing(false);
    return;
  }
  switch (result) {
    case FileResult::Ok:
      // Qt reads "[*]" in a caption as the unsaved-changes mark; the device's
      // title is shown literally.
      setWindowTitle(
          fromSingleByte(config_.title()).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")));
      return;
    case FileResult::OpenFailed:
      showStop(QString::fromLatin1(kConfigOpenFailedText),
               QString::fromLatin1(kConfigOpenFailedCaption));
      break;
    case FileResult::LengthError:
      showStop(QString::fromLatin1(kLengthErrorText));
      break;
    case FileResult::ChecksumError:
      showStop(QString::fromLatin1(kConfigChecksumErrorText));
      break;
  }
  EnableEditing(false);
}

bool ServerListDialog::canOpen() const { return widgets_.open->isEnabled(); }

void ServerListDialog::EnableEditing(bool enable) {
  for (QWidget* widget : std::initializer_list<QWidget*>{
           widgets_.server, widgets_.port, widgets_.key, widgets_.userName, widgets_.password,
           widgets_.open, widgets_.save}) {
    widget->setEnabled(enable);
  }
}

}  // namespace sci
