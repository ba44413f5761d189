#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <algorithm>
#include <initializer_list>
#include <utility>

#include "scene_shapes.h"
#include "scenes.h"
#include "seeded_random.h"

namespace pictures {
namespace {

// Mixes two colours; t = 0 gives `from`, t = 1 gives `to`.
QColor Mix(QColor from, QColor to, double t) {
  // Mixed in double, as the pictures were first drawn; Qt takes the parts as float.
  auto mix = [t](float a, float b) { return static_cast<float>(a + (b - a) * t); };
  return QColor::fromRgbF(mix(from.redF(), to.redF()), mix(from.greenF(), to.greenF()), mix(from.blueF(), to.blueF()),
                          mix(from.alphaF(), to.alphaF()));
}

void FillSky(QPainter& painter, double width, double height, std::initializer_list<std::pair<double, QColor>> stops) {
  QLinearGradient sky(0, 0, 0, height);
  for (const auto& [at, color] : stops) sky.setColorAt(at, color);
  painter.fillRect(QRectF(0, 0, width, height), sky);
}

// A soft cloud: overlapping puffs, white on top and grey-blue underneath.
void DrawCloud(QPainter& painter, QPointF centre, double size, int alpha, TSeededRandom& random) {
  QLinearGradient shade(0, centre.y() - size * 0.6, 0, centre.y() + size * 0.4);
  shade.setColorAt(0.0, QColor(255, 255, 255, alpha));
  shade.setColorAt(1.0, QColor(196, 208, 226, alpha));
  QPainterPath cloud;
  const int puffs = 7 + random.Below(5);
  for (int i = 0; i < puffs; ++i) {
    const double radius = size * random.Between(0.25, 0.5);
    const QPointF at(centre.x() + size * random.Between(-1.1, 1.1), centre.y() - size * random.Between(0.0, 0.3));
    cloud.addEllipse(at, radius * 1.3, radius);
  }
  cloud.setFillRule(Qt::WindingFill);
  painter.fillPath(cloud.simplified(), shade);
}

void DrawBird(QPainter& painter, QPointF at, double span) {
  QPainterPath bird;
  bird.moveTo(at.x() - span, at.y() - span * 0.3);
  bird.quadTo(at.x() - span * 0.4, at.y() - span * 0.45, at.x(), at.y());
  bird.quadTo(at.x() + span * 0.4, at.y() - span * 0.45, at.x() + span, at.y() - span * 0.3);
  painter.setPen(QPen(QColor(30, 12, 36, 220), span * 0.16, Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(bird);
}

}  // namespace

void DrawSunsetHills(QImage& image, TSeededRandom& random) {
  const double w = image.width(), h = image.height();
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  FillSky(painter, w, h * 0.75,
          {{0.0, QColor(29, 11, 58)},
           {0.35, QColor(106, 27, 107)},
           {0.62, QColor(224, 80, 90)},
           {0.85, QColor(247, 147, 76)},
           {1.0, QColor(255, 214, 130)}});

  const QPointF sun(w * 0.62, h * 0.64);
  DrawGlow(painter, sun, w * 0.55, QColor(255, 190, 120, 120));
  DrawGlow(painter, sun, w * 0.16, QColor(255, 236, 180, 200));
  QRadialGradient disc(sun, w * 0.07);
  disc.setColorAt(0.0, QColor(255, 250, 225));
  disc.setColorAt(1.0, QColor(255, 200, 110));
  painter.setBrush(disc);
  painter.drawEllipse(sun, w * 0.07, w * 0.07);

  // Thin streaks of cloud lit from below.
  for (int i = 0; i < 12; ++i) {
    const double y = h * random.Between(0.18, 0.58);
    const double length = w * random.Between(0.15, 0.4);
    const double x = w * random.Between(-0.1, 1.0);
    painter.setBrush(QColor(255, 150 + random.Below(60), 150, 40 + random.Below(60)));
    painter.drawRoundedRect(QRectF(x, y, length, h * random.Between(0.006, 0.018)), 8, 8);
  }

  const QColor hazy(170, 70, 110), dark(22, 8, 30);
  constexpr int kLayers = 4;
  for (int layer = 0; layer < kLayers; ++layer) {
    const double t = static_cast<double>(layer) / (kLayers - 1);
    painter.fillPath(RollingHills(w, h * (0.70 + 0.08 * t), h * (0.07 + 0.03 * t), h, random), Mix(hazy, dark, t));
  }
  for (int i = 0; i < 5; ++i) {
    DrawBird(painter, QPointF(w * random.Between(0.25, 0.5), h * random.Between(0.25, 0.4)),
             w * random.Between(0.010, 0.018));
  }
}

void DrawSnowyMountains(QImage& image, TSeededRandom& random) {
  const double w = image.width(), h = image.height();
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  FillSky(painter, w, h,
          {{0.0, QColor(36, 98, 200)},
           {0.45, QColor(120, 180, 240)},
           {0.7, QColor(214, 234, 250)},
           {1.0, QColor(214, 234, 250)}});
  DrawGlow(painter, QPointF(w * 0.85, h * 0.12), w * 0.3, QColor(255, 255, 230, 150));
  for (int i = 0; i < 5; ++i) {
    DrawCloud(painter, QPointF(w * random.Between(0.05, 0.95), h * random.Between(0.08, 0.3)),
              w * random.Between(0.04, 0.08), 240, random);
  }

  // Far range with snow on the peaks, thinning out down the slopes.
  const QPainterPath far = JaggedRidge(w, h * 0.5, h * 0.32, h, random);
  QLinearGradient far_rock(0, h * 0.15, 0, h * 0.7);
  far_rock.setColorAt(0.0, QColor(92, 108, 142));
  far_rock.setColorAt(1.0, QColor(150, 170, 200));
  painter.fillPath(far, far_rock);
  // Snow covers what rises above a ragged snow line.
  const QPainterPath below_snow_line = JaggedRidge(w, h * 0.42, h * 0.1, h, random);
  QLinearGradient snow(0, h * 0.05, 0, h * 0.35);
  snow.setColorAt(0.0, QColor(255, 255, 255));
  snow.setColorAt(1.0, QColor(206, 220, 240));
  painter.fillPath(far.subtracted(below_snow_line), snow);

  const QPainterPath middle = JaggedRidge(w, h * 0.64, h * 0.16, h, random);
  QLinearGradient middle_rock(0, h * 0.4, 0, h * 0.8);
  middle_rock.setColorAt(0.0, QColor(52, 66, 96));
  middle_rock.setColorAt(1.0, QColor(110, 130, 150));
  painter.fillPath(middle, middle_rock);

  const QPainterPath hills = RollingHills(w, h * 0.8, h * 0.06, h, random);
  QLinearGradient meadow(0, h * 0.72, 0, h);
  meadow.setColorAt(0.0, QColor(88, 150, 70));
  meadow.setColorAt(1.0, QColor(34, 80, 38));
  painter.fillPath(hills, meadow);

  // A stand of firs on the near hills, growing along the hill line.
  painter.setBrush(QColor(18, 48, 30));
  painter.setPen(Qt::NoPen);
  for (int i = 0; i < 26; ++i) {
    const double x = w * random.Between(0.0, 1.0);
    const double foot = h * random.Between(0.86, 1.02);
    painter.drawPath(FirTree(QPointF(x, foot), h * random.Between(0.12, 0.22), random));
  }
}

void DrawSeaShore(QImage& image, TSeededRandom& random) {
  const double w = image.width(), h = image.height();
  const double horizon = h * 0.45, shore = h * 0.8;
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  FillSky(painter, w, horizon,
          {{0.0, QColor(60, 150, 230)}, {0.6, QColor(176, 222, 250)}, {1.0, QColor(252, 228, 200)}});
  const QPointF sun(w * 0.7, h * 0.2);
  DrawGlow(painter, sun, w * 0.25, QColor(255, 250, 220, 170));
  DrawGlow(painter, sun, w * 0.035, QColor(255, 255, 245, 255));
  for (int i = 0; i < 6; ++i) {
    DrawCloud(painter, QPointF(w * random.Between(0.0, 1.0), h * random.Between(0.08, 0.35)),
              w * random.Between(0.03, 0.06), 210, random);
  }

  QLinearGradient sea(0, horizon, 0, shore);
  sea.setColorAt(0.0, QColor(30, 100, 160));
  sea.setColorAt(0.5, QColor(16, 84, 130));
  sea.setColorAt(1.0, QColor(40, 170, 180));
  painter.fillRect(QRectF(0, horizon, w, shore - horizon + h * 0.05), sea);

  // Glitter under the sun, densest in its column.
  painter.setPen(Qt::NoPen);
  for (int i = 0; i < 500; ++i) {
    const double depth = random.Unit();
    const double y = horizon + (shore - horizon) * depth * depth;
    const double spread = w * (0.02 + 0.12 * depth);
    const double x = sun.x() + spread * (random.Unit() + random.Unit() + random.Unit() - 1.5);
    painter.setBrush(QColor(255, 250, 230, 60 + random.Below(150)));
    painter.drawEllipse(QPointF(x, y), w * (0.002 + 0.008 * depth), h * (0.0008 + 0.002 * depth));
  }

  // Rows of waves, larger and brighter towards the beach.
  constexpr int kRows = 42;
  for (int row = 0; row < kRows; ++row) {
    const double t = static_cast<double>(row + 1) / kRows;
    const double y = horizon + (shore - horizon) * std::pow(t, 1.6);
    const double wave_length = w * (0.02 + 0.12 * t);
    const double amplitude = h * (0.001 + 0.006 * t);
    const double phase = random.Between(0, 2 * M_PI);
    QPainterPath crest;
    for (double x = 0; x <= w + 8; x += 8) {
      const double crest_y = y - amplitude * std::sin(2 * M_PI * x / wave_length + phase);
      if (x == 0)
        crest.moveTo(x, crest_y);
      else
        crest.lineTo(x, crest_y);
    }
    painter.setPen(QPen(QColor(230, 250, 255, static_cast<int>(30 + 120 * t)), 1.0 + h * 0.004 * t));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(crest);
  }

  // A sail near the horizon.
  const QPointF boat(w * 0.28, horizon + h * 0.02);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(250, 250, 245));
  painter.drawPolygon(QPolygonF({boat, boat + QPointF(w * 0.012, 0), boat + QPointF(w * 0.002, -h * 0.035)}));
  painter.setBrush(QColor(60, 50, 50));
  painter.drawRect(QRectF(boat.x() - w * 0.004, boat.y(), w * 0.02, h * 0.004));

  // Beach with a band of wet sand and a foam line along its edge.
  const QPainterPath beach = RollingHills(w, shore + h * 0.03, h * 0.025, h, random);
  painter.fillPath(beach.translated(0, -h * 0.012), QColor(180, 160, 120, 160));
  QLinearGradient sand(0, shore, 0, h);
  sand.setColorAt(0.0, QColor(226, 204, 160));
  sand.setColorAt(1.0, QColor(206, 176, 122));
  painter.fillPath(beach, sand);
  // The outline is closed along the picture's edges; only its top is foam.
  painter.setClipRect(QRectF(1, 0, w - 2, shore + h * 0.1));
  painter.setPen(QPen(QColor(255, 255, 255, 220), h * 0.006, Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(beach.translated(0, -h * 0.012));
}

void DrawMistyForest(QImage& image, TSeededRandom& random) {
  const double w = image.width(), h = image.height();
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  FillSky(painter, w, h, {{0.0, QColor(214, 226, 206)}, {0.6, QColor(170, 190, 160)}, {1.0, QColor(90, 112, 84)}});
  DrawGlow(painter, QPointF(w * 0.2, -h * 0.05), w * 0.6, QColor(255, 252, 225, 200));

  const QColor fog(176, 194, 168), near(14, 32, 20);
  constexpr int kLayers = 5;
  for (int layer = 0; layer < kLayers; ++layer) {
    const double t = static_cast<double>(layer) / (kLayers - 1);
    const QColor color = Mix(fog, near, std::pow(t, 1.6));
    const double ground = h * (0.48 + 0.3 * t * t);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPath(RollingHills(w, ground + h * 0.05, h * 0.03, h, random));
    const bool nearest = layer == kLayers - 1;
    const int trees = nearest ? 7 : static_cast<int>(46 - 26 * t);
    for (int i = 0; i < trees; ++i) {
      double x = w * (i + random.Between(-0.4, 0.4)) / (trees - 1);
      // The nearest trees frame the view from both sides and leave the middle open.
      if (nearest) x = i < trees / 2 ? w * random.Between(-0.05, 0.22) : w * random.Between(0.78, 1.05);
      const double height = h * (0.16 + 0.34 * t) * random.Between(0.7, 1.2);
      painter.drawPath(FirTree(QPointF(x, ground + h * 0.06 * random.Unit()), height, random));
    }
    // Sunbeams fall through the gaps in front of the farther layers.
    if (layer == 2) {
      for (int beam = 0; beam < 6; ++beam) {
        const double top = w * random.Between(0.0, 0.45);
        const double spread = w * random.Between(0.02, 0.06);
        QLinearGradient fade(0, 0, w * 0.3, h);
        fade.setColorAt(0.0, QColor(255, 250, 220, 70));
        fade.setColorAt(1.0, QColor(255, 250, 220, 0));
        painter.setBrush(fade);
        painter.drawPolygon(QPolygonF({QPointF(top, 0), QPointF(top + spread, 0),
                                       QPointF(top + spread * 4 + w * 0.35, h), QPointF(top + w * 0.35, h)}));
      }
    }
    // Mist lying in front of every layer but the nearest.
    if (layer < kLayers - 1) {
      QLinearGradient mist(0, ground - h * 0.1, 0, ground + h * 0.08);
      mist.setColorAt(0.0, QColor(230, 236, 222, 0));
      mist.setColorAt(0.65, QColor(230, 236, 222, 120));
      mist.setColorAt(1.0, QColor(230, 236, 222, 0));
      painter.fillRect(QRectF(0, ground - h * 0.1, w, h * 0.18), mist);
    }
  }
}

}  // namespace pictures
