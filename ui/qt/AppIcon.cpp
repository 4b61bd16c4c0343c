#include "ui/qt/AppIcon.h"

namespace sci {

QIcon appIcon() {
  QIcon icon;
  icon.addFile(QStringLiteral(":/sciedit/sciedit-16.png"), QSize(16, 16));
  icon.addFile(QStringLiteral(":/sciedit/sciedit-32.png"), QSize(32, 32));
  return icon;
}

}  // namespace sci
