#include "ui/qt/IconPainter.h"

#include <QPainter>
#include <QPainterPath>

namespace sci {

QImage paintAppIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);

  const qreal s = size;
  QPainterPath tile;
  tile.addRoundedRect(QRectF(0.5, 0.5, s - 1, s - 1), s / 6, s / 6);
  painter.fillPath(tile, QColor(0x1f, 0x4e, 0x8c));
  painter.setPen(QPen(QColor(0x0e, 0x2a, 0x52), 1));
  painter.drawPath(tile);

  // Fewer units on the small icon keep them readable.
  const int units = size >= 24 ? 3 : 2;
  const qreal margin = s * 0.18;
  const qreal gap = s * 0.07;
  const qreal height = (s - 2 * margin - (units - 1) * gap) / units;
  for (int i = 0; i < units; ++i) {
    const QRectF unit(margin, margin + i * (height + gap), s - 2 * margin, height);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xe8, 0xee, 0xf6));
    painter.drawRoundedRect(unit, s / 20, s / 20);
    const qreal led = std::max<qreal>(2, height * 0.4);
    painter.setBrush(i == 0 ? QColor(0x2e, 0xcc, 0x40) : QColor(0xff, 0xb0, 0x20));
    painter.drawEllipse(QPointF(unit.right() - led, unit.center().y()), led / 2, led / 2);
    painter.setBrush(QColor(0x7a, 0x8a, 0xa0));
    painter.drawRect(
        QRectF(unit.left() + led / 2, unit.center().y() - led / 4, unit.width() * 0.5, led / 2));
  }
  return image;
}

}  // namespace sci
