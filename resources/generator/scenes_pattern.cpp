#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <algorithm>
#include <vector>

#include "scene_shapes.h"
#include "scenes.h"
#include "seeded_random.h"

namespace pictures {
namespace {

// A colour along a palette of evenly spaced stops, t in 0..1.
QColor AlongPalette(const std::vector<QColor>& palette, double t) {
  t = std::clamp(t, 0.0, 1.0) * static_cast<double>(palette.size() - 1);
  const size_t index = std::min(static_cast<size_t>(t), palette.size() - 2);
  const double f = t - static_cast<double>(index);
  const QColor& a = palette[index];
  const QColor& b = palette[index + 1];
  // Mixed in double; Qt takes the parts as float.
  auto mix = [f](float from, float to) { return static_cast<float>(from + (to - from) * f); };
  return QColor::fromRgbF(mix(a.redF(), b.redF()), mix(a.greenF(), b.greenF()), mix(a.blueF(), b.blueF()));
}

// A pointed leaf from `base` towards `angle` (degrees).
QPainterPath Leaf(QPointF base, double length, double angle) {
  QPainterPath leaf;
  leaf.moveTo(0, 0);
  leaf.quadTo(length * 0.5, -length * 0.28, length, 0);
  leaf.quadTo(length * 0.5, length * 0.28, 0, 0);
  QTransform turn;
  turn.translate(base.x(), base.y());
  turn.rotate(angle);
  return turn.map(leaf);
}

void DrawFlower(QPainter& painter, QPointF centre, double radius, QColor petal, TSeededRandom& random) {
  const int petals = 5 + random.Below(4);
  const double turn = random.Between(0, 360);
  QRadialGradient shade(centre, radius);
  shade.setColorAt(0.0, petal.darker(140));
  shade.setColorAt(0.45, petal);
  shade.setColorAt(1.0, petal.lighter(125));
  painter.setPen(QPen(petal.darker(160), std::max(0.6, radius * 0.015)));
  painter.setBrush(shade);
  for (int i = 0; i < petals; ++i) {
    painter.save();
    painter.translate(centre);
    painter.rotate(turn + 360.0 * i / petals);
    painter.drawEllipse(QPointF(radius * 0.52, 0), radius * 0.5, radius * 0.5 * (2.6 / petals + 0.05) * 2);
    painter.restore();
  }
  QRadialGradient heart(centre, radius * 0.22, centre - QPointF(radius * 0.06, radius * 0.06));
  heart.setColorAt(0.0, QColor(255, 236, 140));
  heart.setColorAt(1.0, QColor(214, 140, 30));
  painter.setPen(Qt::NoPen);
  painter.setBrush(heart);
  painter.drawEllipse(centre, radius * 0.22, radius * 0.22);
}

}  // namespace

void DrawLowPolyAbstract(QImage& image, TSeededRandom& random) {
  const double w = image.width(), h = image.height();
  constexpr int kColumns = 9, kRows = 12;
  // Grid points, jittered inside, kept on the border along the edges.
  std::vector<QPointF> points((kColumns + 1) * (kRows + 1));
  for (int row = 0; row <= kRows; ++row) {
    for (int column = 0; column <= kColumns; ++column) {
      double x = w * column / kColumns, y = h * row / kRows;
      if (column > 0 && column < kColumns) x += w / kColumns * random.Between(-0.4, 0.4);
      if (row > 0 && row < kRows) y += h / kRows * random.Between(-0.4, 0.4);
      points[row * (kColumns + 1) + column] = QPointF(x, y);
    }
  }
  const std::vector<QColor> palette = {QColor(20, 16, 64), QColor(82, 36, 130), QColor(180, 56, 122),
                                       QColor(240, 120, 84), QColor(252, 196, 110)};
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  auto fill_triangle = [&](QPointF a, QPointF b, QPointF c) {
    const QPointF centre = (a + b + c) / 3;
    const double t = 0.35 * centre.x() / w + 0.75 * (1.0 - centre.y() / h) + random.Between(-0.06, 0.06);
    const QColor color = AlongPalette(palette, t);
    // A hairline of the same colour closes the antialiased seams between triangles.
    painter.setPen(QPen(color, 0.8));
    painter.setBrush(color);
    painter.drawPolygon(QPolygonF({a, b, c}));
  };
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      const QPointF& top_left = points[row * (kColumns + 1) + column];
      const QPointF& top_right = points[row * (kColumns + 1) + column + 1];
      const QPointF& bottom_left = points[(row + 1) * (kColumns + 1) + column];
      const QPointF& bottom_right = points[(row + 1) * (kColumns + 1) + column + 1];
      if ((row + column) % 2 == 0) {
        fill_triangle(top_left, top_right, bottom_right);
        fill_triangle(top_left, bottom_right, bottom_left);
      } else {
        fill_triangle(top_left, top_right, bottom_left);
        fill_triangle(top_right, bottom_right, bottom_left);
      }
    }
  }

  // Thin rings and a sun-like disc over the facets.
  const QPointF focus(w * 0.62, h * 0.34);
  DrawGlow(painter, focus, w * 0.35, QColor(255, 230, 180, 90));
  painter.setBrush(Qt::NoBrush);
  for (int ring = 1; ring <= 5; ++ring) {
    painter.setPen(QPen(QColor(255, 240, 220, 110 - ring * 16), 1.5));
    painter.drawEllipse(focus, w * 0.07 * ring, w * 0.07 * ring);
  }
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 236, 200, 230));
  painter.drawEllipse(focus, w * 0.06, w * 0.06);
}

void DrawFlowerMeadow(QImage& image, TSeededRandom& random) {
  const double w = image.width(), h = image.height();
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient ground(0, 0, w * 0.3, h);
  ground.setColorAt(0.0, QColor(22, 70, 58));
  ground.setColorAt(1.0, QColor(76, 140, 80));
  painter.fillRect(image.rect(), ground);
  for (int i = 0; i < 40; ++i) {
    DrawGlow(painter, QPointF(w * random.Unit(), h * random.Unit()), w * random.Between(0.03, 0.1),
             QColor(230, 255, 200, 40));
  }

  painter.setPen(Qt::NoPen);
  for (int i = 0; i < 60; ++i) {
    const QPointF base(w * random.Unit(), h * random.Unit());
    painter.setBrush(QColor(40 + random.Below(40), 110 + random.Below(60), 50 + random.Below(30)));
    painter.drawPath(Leaf(base, w * random.Between(0.08, 0.18), random.Between(0, 360)));
  }

  const std::vector<QColor> petals = {QColor(255, 126, 179), QColor(255, 154, 118), QColor(255, 211, 110),
                                      QColor(255, 244, 244), QColor(195, 166, 255), QColor(240, 80, 110)};
  for (int i = 0; i < 22; ++i) {
    const QPointF centre(w * random.Between(-0.05, 1.05), h * random.Between(-0.03, 1.03));
    DrawFlower(painter, centre, w * random.Between(0.06, 0.16), petals[random.Below(static_cast<int>(petals.size()))],
               random);
  }
}

void DrawTestCard(QImage& image, TSeededRandom& random) {
  static_cast<void>(random);  // a test card has nothing random about it
  const int w = image.width(), h = image.height();
  const int cell = std::max(4, h / 12);
  QPainter painter(&image);

  // Grey checkered backdrop, centred so the pattern is symmetric.
  const int offset_x = (w / 2) % cell, offset_y = (h / 2) % cell;
  for (int y = offset_y - cell; y < h; y += cell) {
    for (int x = offset_x - cell; x < w; x += cell) {
      const bool light = ((x - offset_x) / cell + (y - offset_y) / cell) % 2 == 0;
      painter.fillRect(x, y, cell, cell, light ? QColor(120, 120, 120) : QColor(64, 64, 64));
    }
  }

  // Inside the circle: colour bars, a grey scale, gratings and a black field.
  painter.setRenderHint(QPainter::Antialiasing);
  const QPointF centre(w / 2.0, h / 2.0);
  const double radius = h * 0.44;
  const QRectF disc(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
  QPainterPath circle;
  circle.addEllipse(disc);
  painter.save();
  painter.setClipPath(circle);
  const QColor bars[] = {QColor(191, 191, 191), QColor(191, 191, 0), QColor(0, 191, 191), QColor(0, 191, 0),
                         QColor(191, 0, 191),   QColor(191, 0, 0),   QColor(0, 0, 191)};
  const double bar_width = disc.width() / 7;
  for (int i = 0; i < 7; ++i) {
    painter.fillRect(QRectF(disc.left() + i * bar_width, disc.top(), bar_width + 0.5, disc.height() * 0.45), bars[i]);
  }
  for (int i = 0; i < 8; ++i) {
    const int level = 255 * i / 7;
    painter.fillRect(QRectF(disc.left() + i * disc.width() / 8, disc.top() + disc.height() * 0.45,
                            disc.width() / 8 + 0.5, disc.height() * 0.15),
                     QColor(level, level, level));
  }
  painter.setRenderHint(QPainter::Antialiasing, false);
  const double grating_top = disc.top() + disc.height() * 0.6;
  for (int group = 0; group < 4; ++group) {
    const int line = 4 >> group;  // 4, 2, 1 pixel lines, then a flat grey
    const double left = disc.left() + group * disc.width() / 4;
    for (int x = static_cast<int>(left); x < left + disc.width() / 4; ++x) {
      const bool white = line > 0 ? (x / line) % 2 == 0 : true;
      const QColor color = line > 0 ? (white ? Qt::white : Qt::black) : QColor(128, 128, 128);
      painter.fillRect(QRectF(x, grating_top, 1, disc.height() * 0.15), color);
    }
  }
  painter.fillRect(QRectF(disc.left(), disc.top() + disc.height() * 0.75, disc.width(), disc.height() * 0.25),
                   QColor(16, 16, 16));
  painter.restore();

  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::white, 1.5));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(disc);
  painter.setPen(QPen(Qt::white, 1.0));
  painter.drawLine(QPointF(centre.x(), disc.top() + disc.height() * 0.75), QPointF(centre.x(), disc.bottom()));
  painter.drawLine(QPointF(centre.x() - radius * 0.5, centre.y() + radius * 0.75),
                   QPointF(centre.x() + radius * 0.5, centre.y() + radius * 0.75));
  // Corner marks to check that nothing is cropped.
  const double mark = cell * 0.8;
  painter.setPen(QPen(Qt::white, 2.0));
  for (const QPointF corner : {QPointF(2, 2), QPointF(w - 2, 2), QPointF(2, h - 2), QPointF(w - 2, h - 2)}) {
    const double dx = corner.x() < w / 2 ? mark : -mark, dy = corner.y() < h / 2 ? mark : -mark;
    painter.drawLine(corner, corner + QPointF(dx, 0));
    painter.drawLine(corner, corner + QPointF(0, dy));
  }
}

}  // namespace pictures
