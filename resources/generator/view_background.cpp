#include "view_background.h"

#include <QPainter>
#include <QtMath>
#include <algorithm>

#include "scene_shapes.h"
#include "seeded_random.h"

namespace pictures {
namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

// Slow waves of light whose periods divide the picture size, so the left edge
// continues the right one and the top the bottom.
void PaintTilingShade(QImage& image) {
  for (int y = 0; y < kHeight; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    const double v = 2 * M_PI * y / kHeight;
    for (int x = 0; x < kWidth; ++x) {
      const double u = 2 * M_PI * x / kWidth;
      const double light = 0.5 + 0.25 * std::cos(u + 0.7) * std::cos(v) + 0.25 * std::sin(2 * u + v);
      row[x] =
          qRgb(static_cast<int>(14 + 14 * light), static_cast<int>(18 + 16 * light), static_cast<int>(28 + 22 * light));
    }
  }
}

// Each light is drawn again one picture width/height away, so lights that
// cross an edge come back in on the other side.
void DrawWrappedGlow(QPainter& painter, QPointF centre, double radius, QColor color) {
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      DrawGlow(painter, centre + QPointF(dx * kWidth, dy * kHeight), radius, color);
    }
  }
}

}  // namespace

QImage DrawViewBackground() {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  PaintTilingShade(image);
  TSeededRandom random(1002);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor tints[] = {QColor(90, 130, 200), QColor(120, 90, 190), QColor(70, 160, 170)};
  for (int i = 0; i < 34; ++i) {
    const QPointF centre(kWidth * random.Unit(), kHeight * random.Unit());
    QColor tint = tints[random.Below(3)];
    tint.setAlpha(18 + random.Below(30));
    DrawWrappedGlow(painter, centre, random.Between(30, 140), tint);
  }
  return image;
}

}  // namespace pictures
