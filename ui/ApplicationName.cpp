#include "ui/ApplicationName.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace sci {

QString applicationName() {
  return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

}  // namespace sci
