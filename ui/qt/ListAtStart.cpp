#include "ui/qt/ListAtStart.h"

#include <QTimer>

#include "ui/qt/ServerListWindow.h"

namespace sci {

void openListAtStart(ServerListWindow& window, const std::filesystem::path& list) {
  QTimer::singleShot(0, &window, [&window, list] { window.openList(list); });
}

}  // namespace sci
