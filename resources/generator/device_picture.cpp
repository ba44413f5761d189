#include "device_picture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace pictures {
namespace {

constexpr int kWidth = 1200;
constexpr int kHeight = 850;
// Same rectangle and corner radius as the window shape, so the shape cuts
// nothing off the drawing and leaves nothing of the desktop inside it.
const QRectF kOutline(5, 4, 1190, 841);
constexpr qreal kOutlineRadius = 40;
// The photo panel with 8 pixels of black glass around it.
const QRectF kGlass(96, 72, 1010, 700);
const QPointF kCamera(50, 422);
const QPointF kButton(1140, 425);
constexpr qreal kButtonRadius = 22;

QPainterPath RoundedRect(const QRectF& rect, qreal radius) {
  QPainterPath path;
  path.addRoundedRect(rect, radius, radius);
  return path;
}

void DrawBody(QPainter& painter) {
  QLinearGradient body(0, kOutline.top(), 0, kOutline.bottom());
  body.setColorAt(0.0, QColor(74, 78, 86));
  body.setColorAt(0.5, QColor(40, 42, 47));
  body.setColorAt(1.0, QColor(22, 23, 26));
  painter.fillPath(RoundedRect(kOutline, kOutlineRadius), body);

  // Chamfered metal rim: light on top, dark at the sides, a little light again below.
  QLinearGradient rim(0, kOutline.top(), 0, kOutline.bottom());
  rim.setColorAt(0.0, QColor(170, 176, 186));
  rim.setColorAt(0.08, QColor(96, 100, 108));
  rim.setColorAt(0.6, QColor(34, 36, 40));
  rim.setColorAt(1.0, QColor(92, 96, 104));
  painter.setPen(QPen(QBrush(rim), 2.5));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(RoundedRect(kOutline.adjusted(1.25, 1.25, -1.25, -1.25), kOutlineRadius - 1.25));
}

void DrawBezelFace(QPainter& painter) {
  const QRectF face = kOutline.adjusted(7, 7, -7, -7);
  QLinearGradient gloss(face.topLeft(), face.bottomRight());
  gloss.setColorAt(0.0, QColor(28, 30, 34));
  gloss.setColorAt(0.45, QColor(12, 13, 15));
  gloss.setColorAt(1.0, QColor(6, 6, 8));
  painter.setPen(QPen(QColor(0, 0, 0, 200), 1.0));
  painter.setBrush(gloss);
  painter.drawPath(RoundedRect(face, kOutlineRadius - 7));

  // A soft reflection across the upper left of the bezel, as of a window light.
  QPainterPath sheen;
  sheen.moveTo(face.left(), face.top());
  sheen.lineTo(face.left() + face.width() * 0.62, face.top());
  sheen.lineTo(face.left() + face.width() * 0.30, face.bottom());
  sheen.lineTo(face.left(), face.bottom());
  sheen.closeSubpath();
  QLinearGradient sheen_fade(face.topLeft(), QPointF(face.left() + face.width() * 0.45, face.bottom()));
  sheen_fade.setColorAt(0.0, QColor(255, 255, 255, 26));
  sheen_fade.setColorAt(1.0, QColor(255, 255, 255, 0));
  painter.fillPath(sheen.intersected(RoundedRect(face, kOutlineRadius - 7)), sheen_fade);
}

void DrawGlass(QPainter& painter) {
  // A dark recess line first, then the black screen itself.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(44, 46, 52));
  painter.drawRoundedRect(kGlass.adjusted(-1.5, -1.5, 1.5, 1.5), 4, 4);
  painter.setBrush(QColor(2, 2, 3));
  painter.drawRoundedRect(kGlass, 3, 3);
}

void DrawCamera(QPainter& painter) {
  painter.setPen(QPen(QColor(60, 63, 70), 1.0));
  painter.setBrush(QColor(14, 15, 17));
  painter.drawEllipse(kCamera, 8.5, 8.5);

  QRadialGradient lens(kCamera, 5.5, kCamera + QPointF(-1.5, -1.5));
  lens.setColorAt(0.0, QColor(70, 100, 160));
  lens.setColorAt(0.45, QColor(24, 36, 70));
  lens.setColorAt(1.0, QColor(4, 5, 10));
  painter.setPen(Qt::NoPen);
  painter.setBrush(lens);
  painter.drawEllipse(kCamera, 5.5, 5.5);
  painter.setBrush(QColor(255, 255, 255, 170));
  painter.drawEllipse(kCamera + QPointF(-2.0, -2.0), 1.3, 1.3);
}

void DrawButton(QPainter& painter) {
  QLinearGradient ring(kButton.x(), kButton.y() - kButtonRadius, kButton.x(), kButton.y() + kButtonRadius);
  ring.setColorAt(0.0, QColor(20, 21, 24));
  ring.setColorAt(1.0, QColor(110, 115, 124));
  painter.setPen(Qt::NoPen);
  painter.setBrush(ring);
  painter.drawEllipse(kButton, kButtonRadius, kButtonRadius);

  const qreal cap_radius = kButtonRadius - 2.5;
  QRadialGradient cap(kButton, cap_radius, kButton + QPointF(0, -cap_radius * 0.6));
  cap.setColorAt(0.0, QColor(58, 61, 68));
  cap.setColorAt(0.7, QColor(24, 25, 28));
  cap.setColorAt(1.0, QColor(12, 12, 14));
  painter.setBrush(cap);
  painter.drawEllipse(kButton, cap_radius, cap_radius);

  // A power mark: the button ends the slideshow.
  painter.setPen(QPen(QColor(150, 155, 165, 200), 1.6, Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  const QRectF mark(kButton.x() - 7, kButton.y() - 6.5, 14, 14);
  painter.drawArc(mark, 60 * 16, -300 * 16);  // open at the top
  painter.drawLine(QPointF(kButton.x(), kButton.y() - 9), QPointF(kButton.x(), kButton.y() - 1));
}

}  // namespace

QImage DrawDevicePicture() {
  QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  DrawBody(painter);
  DrawBezelFace(painter);
  DrawGlass(painter);
  DrawCamera(painter);
  DrawButton(painter);
  painter.end();
  return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace pictures
