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

// A roughly normal value around 0 with spread 1 (sum of uniforms).
double Bell(TSeededRandom& random) { return random.Unit() + random.Unit() + random.Unit() + random.Unit() - 2.0; }

void DrawStar(QPainter& painter, QPointF at, double radius, int brightness, QColor tint) {
  tint.setAlpha(brightness);
  painter.setBrush(tint);
  painter.drawEllipse(at, radius, radius);
}

// A bright star with a four-pointed glare.
void DrawBrightStar(QPainter& painter, QPointF at, double size) {
  DrawGlow(painter, at, size * 1.5, QColor(200, 220, 255, 120));
  for (int axis = 0; axis < 2; ++axis) {
    const QPointF reach = axis == 0 ? QPointF(size * 2.5, 0) : QPointF(0, size * 2.5);
    QLinearGradient ray(at - reach, at + reach);
    ray.setColorAt(0.0, QColor(255, 255, 255, 0));
    ray.setColorAt(0.5, QColor(255, 255, 255, 230));
    ray.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setPen(QPen(QBrush(ray), std::max(1.0, size * 0.12)));
    painter.drawLine(at - reach, at + reach);
  }
  painter.setPen(Qt::NoPen);
  DrawStar(painter, at, size * 0.25, 255, Qt::white);
}

}  // namespace

void DrawStarryNight(QImage& image, TSeededRandom& random) {
  const double w = image.width(), h = image.height();
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, h);
  sky.setColorAt(0.0, QColor(3, 2, 26));
  sky.setColorAt(0.6, QColor(12, 26, 62));
  sky.setColorAt(0.9, QColor(30, 58, 96));
  sky.setColorAt(1.0, QColor(44, 80, 112));
  painter.fillRect(image.rect(), sky);

  // The milky way: a diagonal band of faint glows thick with small stars.
  const QPointF band_start(w * 0.05, h * 1.0), band_end(w * 0.95, h * -0.05);
  const QPointF band = band_end - band_start;
  const QPointF across(-band.y() / std::hypot(band.x(), band.y()), band.x() / std::hypot(band.x(), band.y()));
  for (int i = 0; i < 40; ++i) {
    const QPointF at = band_start + band * random.Unit() + across * (h * 0.05 * Bell(random));
    const QColor tint = random.Below(2) == 0 ? QColor(150, 140, 255, 22) : QColor(255, 190, 220, 16);
    DrawGlow(painter, at, h * random.Between(0.08, 0.16), tint);
  }
  painter.setPen(Qt::NoPen);
  for (int i = 0; i < 2200; ++i) {
    const QPointF at = band_start + band * random.Unit() + across * (h * 0.07 * Bell(random));
    DrawStar(painter, at, random.Between(0.3, 0.9), 90 + random.Below(150), QColor(230, 230, 255));
  }
  for (int i = 0; i < 900; ++i) {
    const QPointF at(w * random.Unit(), h * 0.85 * random.Unit());
    const QColor tint = random.Below(4) == 0 ? QColor(255, 220, 190) : QColor(220, 230, 255);
    DrawStar(painter, at, random.Between(0.4, 1.4), 80 + random.Below(175), tint);
  }
  for (int i = 0; i < 9; ++i) {
    DrawBrightStar(painter, QPointF(w * random.Unit(), h * 0.7 * random.Unit()), h * random.Between(0.008, 0.016));
  }

  // A shooting star.
  const QPointF trail_head(w * 0.32, h * 0.22), trail_tail(w * 0.18, h * 0.12);
  QLinearGradient trail(trail_tail, trail_head);
  trail.setColorAt(0.0, QColor(255, 255, 255, 0));
  trail.setColorAt(1.0, QColor(255, 255, 255, 220));
  painter.setPen(QPen(QBrush(trail), 2.0, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(trail_tail, trail_head);
  painter.setPen(Qt::NoPen);

  // A crescent moon: a disc with a shifted disc taken away.
  const QPointF moon(w * 0.8, h * 0.18);
  const double moon_radius = w * 0.045;
  DrawGlow(painter, moon, moon_radius * 4, QColor(255, 245, 210, 60));
  QPainterPath disc, shadow;
  disc.addEllipse(moon, moon_radius, moon_radius);
  shadow.addEllipse(moon + QPointF(moon_radius * 0.45, -moon_radius * 0.2), moon_radius, moon_radius);
  painter.fillPath(disc.subtracted(shadow), QColor(253, 246, 216));

  // Hills and firs in silhouette.
  painter.setBrush(QColor(4, 6, 12));
  painter.drawPath(RollingHills(w, h * 0.9, h * 0.05, h, random));
  for (int i = 0; i < 30; ++i) {
    const QPointF foot(w * random.Unit(), h * random.Between(0.9, 1.0));
    painter.drawPath(FirTree(foot, h * random.Between(0.07, 0.2), random));
  }
  // One lit window in a cabin on the hill.
  const QRectF cabin(w * 0.6, h * 0.855, w * 0.05, h * 0.05);
  painter.drawRect(cabin);
  painter.drawPolygon(QPolygonF({cabin.topLeft() + QPointF(-w * 0.006, 0), cabin.topRight() + QPointF(w * 0.006, 0),
                                 QPointF(cabin.center().x(), cabin.top() - h * 0.03)}));
  DrawGlow(painter, cabin.center(), w * 0.04, QColor(255, 190, 90, 90));
  painter.setBrush(QColor(255, 200, 110));
  painter.drawRect(QRectF(cabin.center().x() - w * 0.007, cabin.center().y() - h * 0.008, w * 0.014, h * 0.017));
}

namespace {

struct TBuilding {
  QRectF body;
  bool antenna;
};

// A row of buildings standing on `ground`, from left to right edge.
std::vector<TBuilding> RowOfBuildings(double width, double ground, double low, double high, double narrow, double wide,
                                      TSeededRandom& random) {
  std::vector<TBuilding> row;
  for (double x = -random.Between(0, wide); x < width;) {
    const double building_width = random.Between(narrow, wide);
    const double height = random.Between(low, high);
    row.push_back({QRectF(x, ground - height, building_width, height), random.Below(5) == 0});
    x += building_width * random.Between(0.75, 1.0);
  }
  return row;
}

void DrawBuildings(QPainter& painter, const std::vector<TBuilding>& row, QColor color, double antenna_height) {
  painter.setPen(Qt::NoPen);
  painter.setBrush(color);
  for (const TBuilding& building : row) {
    painter.drawRect(building.body);
    if (building.antenna) {
      const double x = building.body.center().x();
      painter.drawRect(QRectF(x - 1, building.body.top() - antenna_height, 2, antenna_height));
    }
  }
}

void DrawLitWindows(QPainter& painter, const std::vector<TBuilding>& row, double scale, TSeededRandom& random) {
  const double window_width = 4 * scale, window_height = 6 * scale;
  const double pitch_x = 9 * scale, pitch_y = 13 * scale;
  for (const TBuilding& building : row) {
    const QRectF inside = building.body.adjusted(pitch_x * 0.6, pitch_y * 0.8, -pitch_x * 0.6, 0);
    const double lit_share = random.Between(0.15, 0.5);
    for (double y = inside.top(); y + window_height < inside.bottom(); y += pitch_y) {
      for (double x = inside.left(); x + window_width < inside.right(); x += pitch_x) {
        if (random.Unit() >= lit_share) continue;
        painter.setBrush(QColor(255, 190 + random.Below(50), 100 + random.Below(80), 170 + random.Below(85)));
        painter.drawRect(QRectF(x, y, window_width, window_height));
      }
    }
  }
}

}  // namespace

void DrawCitySkyline(QImage& image, TSeededRandom& random) {
  const double w = image.width(), h = image.height();
  const double waterline = h * 0.64;
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, waterline);
    sky.setColorAt(0.0, QColor(11, 16, 38));
    sky.setColorAt(0.45, QColor(43, 45, 92));
    sky.setColorAt(0.78, QColor(192, 80, 122));
    sky.setColorAt(1.0, QColor(255, 179, 107));
    painter.fillRect(QRectF(0, 0, w, waterline), sky);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 120; ++i) {
      painter.setBrush(QColor(255, 255, 255, 60 + random.Below(120)));
      painter.drawEllipse(QPointF(w * random.Unit(), h * 0.3 * random.Unit()), 0.8, 0.8);
    }

    const double scale = h / 720.0;
    const auto far = RowOfBuildings(w, waterline, h * 0.08, h * 0.3, w * 0.02, w * 0.06, random);
    DrawBuildings(painter, far, QColor(70, 56, 104), h * 0.05);
    const auto near = RowOfBuildings(w, waterline, h * 0.1, h * 0.42, w * 0.03, w * 0.08, random);
    DrawBuildings(painter, near, QColor(13, 14, 28), h * 0.06);
    DrawLitWindows(painter, near, scale, random);
    for (const TBuilding& building : near) {
      if (!building.antenna) continue;
      const QPointF beacon(building.body.center().x(), building.body.top() - h * 0.06);
      DrawGlow(painter, beacon, 6 * scale, QColor(255, 60, 60, 255));
    }
  }

  // The river mirrors the city, broken into rippling rows and darkened.
  const int top = static_cast<int>(waterline);
  const QImage city = image.copy(0, 0, image.width(), top).mirrored(false, true);
  QPainter painter(&image);
  painter.fillRect(QRectF(0, top, w, h - top), QColor(20, 16, 40));
  for (int y = top; y < image.height(); y += 2) {
    const double depth = (y - top) / (h - top);
    const double ripple = (random.Unit() - 0.5) * (2 + 14 * depth);
    painter.drawImage(QPointF(ripple, y), city, QRectF(0, y - top, w, 2));
  }
  QLinearGradient water(0, top, 0, h);
  water.setColorAt(0.0, QColor(10, 14, 40, 110));
  water.setColorAt(1.0, QColor(6, 8, 24, 220));
  painter.fillRect(QRectF(0, top, w, h - top), water);
  painter.fillRect(QRectF(0, top, w, 1.5), QColor(255, 200, 150, 90));
}

}  // namespace pictures
