#include "ui/ListAtStart.h"

#include <QFile>
#include <QTimer>

#include "ui/ApplicationName.h"
#include "ui/ServerListDialog.h"

namespace sci {

void openListAtStart(ServerListDialog& dialog, const std::filesystem::path& list,
                     std::ostream& err) {
  if (!dialog.canOpen()) {
    err << applicationName().toLocal8Bit().constData() << ": " << list.native()
        << ": not opened: Open is disabled without a valid device configuration\n";
    return;
  }
  // Queued, so that the list's messages stand over the shown window.
  QTimer::singleShot(0, &dialog,
                     [&dialog, path = QFile::decodeName(list.c_str())] { dialog.openList(path); });
}

}  // namespace sci
