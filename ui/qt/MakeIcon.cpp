// Build step: writes the application icon as PNG files into the given folder,
// one per size: the window icon takes 16 and 32, the installed theme icons
// take them all.

#include <QDir>
#include <QString>
#include <cstdio>

#include "ui/qt/IconPainter.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
    return 2;
  }
  const QDir dir(QString::fromLocal8Bit(argv[1]));
  for (int size : {16, 32, 48, 64, 128, 256}) {
    const QString file = dir.filePath(QStringLiteral("sciedit-%1.png").arg(size));
    if (!sci::paintAppIcon(size).save(file, "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
