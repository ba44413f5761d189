#include "drop_down_arrow.h"

#include <QPainter>
#include <QPainterPath>

namespace pictures {

QImage DrawDropDownArrow(int scale) {
  QImage arrow(10 * scale, 6 * scale, QImage::Format_ARGB32_Premultiplied);
  arrow.fill(Qt::transparent);
  QPainter painter(&arrow);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(scale, scale);
  QPainterPath triangle;
  triangle.moveTo(0.5, 0.5);
  triangle.lineTo(9.5, 0.5);
  triangle.lineTo(5.0, 5.5);
  triangle.closeSubpath();
  painter.fillPath(triangle, QColor(0xf2, 0xfa, 0xf2));
  return arrow;
}

}  // namespace pictures
