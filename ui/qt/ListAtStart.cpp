#include "ui/qt/ListAtStart.h"

#include <QTimer>

#include "ui/ApplicationName.h"
#include "ui/qt/ServerListWindow.h"

namespace sci {

void openListAtStart(ServerListWindow& window, const std::filesystem::path& list,
                     std::ostream& err) {
  if (!window.canOpen()) {
    err << applicationName() << ": " << list.native()
        << ": not opened: Open is disabled without a valid device configuration\n";
  }
  // Queued, so that the list's messages (or why it stays closed) stand over
  // the shown window.
  QTimer::singleShot(0, &window, [&window, list] { window.openList(list); });
}

}  // namespace sci
