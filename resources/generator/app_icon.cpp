#include "app_icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>

#include "demo_photos.h"

namespace pictures {
namespace {

constexpr std::array<int, 7> kSizes = {16, 24, 32, 48, 64, 128, 256};

// The two photos met in the screen: sunset hills and the starry night.
const QImage& ScreenPhoto(int number) {
  static const QImage kSunset = DrawDemoPhoto(DemoPhotos()[0]);
  static const QImage kNight = DrawDemoPhoto(DemoPhotos()[4]);
  return number == 1001 ? kSunset : kNight;
}

QPainterPath RoundedRect(const QRectF& rect, qreal radius) {
  QPainterPath path;
  path.addRoundedRect(rect, radius, radius);
  return path;
}

void DrawPhoto(QPainter& painter, const QRectF& screen, int number, const QPainterPath& clip) {
  painter.save();
  painter.setClipPath(clip, Qt::IntersectClip);
  painter.drawImage(screen, ScreenPhoto(number));
  painter.restore();
}

}  // namespace

std::span<const int> AppIconSizes() { return kSizes; }

QImage DrawAppIcon(int size) {
  QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
  icon.fill(Qt::transparent);
  QPainter painter(&icon);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);

  // The tablet fills the width and about three quarters of the height, like
  // the 1200 x 850 window; rims and corners are in fractions of the size.
  const qreal s = size;
  const QRectF body(s * 0.02, s * 0.15, s * 0.96, s * 0.70);
  QLinearGradient metal(0, body.top(), 0, body.bottom());
  metal.setColorAt(0.0, QColor(112, 118, 128));
  metal.setColorAt(0.5, QColor(44, 46, 52));
  metal.setColorAt(1.0, QColor(20, 21, 24));
  painter.setPen(Qt::NoPen);
  painter.fillPath(RoundedRect(body, s * 0.09), metal);
  const qreal rim = std::max(1.0, s * 0.025);
  const QRectF face = body.adjusted(rim, rim, -rim, -rim);
  painter.fillPath(RoundedRect(face, s * 0.07), QColor(10, 10, 12));

  // The screen, its photos meeting on a diagonal edge.
  const qreal bezel = std::max(1.0, s * 0.06);
  const QRectF screen = face.adjusted(bezel, bezel * 0.8, -bezel, -bezel * 0.8);
  QPainterPath arriving;
  arriving.moveTo(screen.left() + screen.width() * 0.62, screen.top());
  arriving.lineTo(screen.topRight());
  arriving.lineTo(screen.bottomRight());
  arriving.lineTo(screen.left() + screen.width() * 0.34, screen.bottom());
  arriving.closeSubpath();
  QPainterPath whole;
  whole.addRect(screen);
  DrawPhoto(painter, screen, 1001, whole.subtracted(arriving));
  DrawPhoto(painter, screen, 1005, arriving);
  // A light seam along the moving edge.
  painter.setPen(QPen(QColor(255, 255, 255, 200), std::max(1.0, s * 0.012)));
  painter.drawLine(QPointF(screen.left() + screen.width() * 0.62, screen.top()),
                   QPointF(screen.left() + screen.width() * 0.34, screen.bottom()));

  // The round button on the right edge of the bezel, from 32 pixels up.
  if (size >= 32) {
    const QPointF centre(face.right() - bezel * 0.5, face.center().y());
    painter.setPen(QPen(QColor(90, 96, 104), std::max(1.0, s * 0.008)));
    painter.setBrush(QColor(30, 32, 36));
    painter.drawEllipse(centre, bezel * 0.28, bezel * 0.28);
  }
  painter.end();
  return icon;
}

}  // namespace pictures
