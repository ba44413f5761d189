#include "scene_shapes.h"

#include <QPainter>
#include <QRadialGradient>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <vector>

#include "seeded_random.h"

namespace pictures {
namespace {

// Closes an outline running left to right by going down to `bottom` and back.
void CloseAlongBottom(QPainterPath& path, double width, double bottom) {
  path.lineTo(width, bottom);
  path.lineTo(0, bottom);
  path.closeSubpath();
}

}  // namespace

QPainterPath RollingHills(double width, double baseline, double amplitude, double bottom, TSeededRandom& random) {
  double phases[3];
  for (double& phase : phases) phase = random.Between(0, 2 * M_PI);
  const double wave_lengths[3] = {width * 0.9, width * 0.37, width * 0.13};
  const double weights[3] = {0.6, 0.3, 0.1};

  QPainterPath path;
  constexpr int kSteps = 160;
  for (int i = 0; i <= kSteps; ++i) {
    const double x = width * i / kSteps;
    double y = baseline;
    for (int k = 0; k < 3; ++k) y -= amplitude * weights[k] * std::sin(2 * M_PI * x / wave_lengths[k] + phases[k]);
    if (i == 0)
      path.moveTo(x, y);
    else
      path.lineTo(x, y);
  }
  CloseAlongBottom(path, width, bottom);
  return path;
}

QPainterPath JaggedRidge(double width, double baseline, double amplitude, double bottom, TSeededRandom& random) {
  constexpr int kPoints = 257;  // 2^8 + 1: each pass halves every interval
  // Rough detail by midpoint displacement...
  std::vector<double> heights(kPoints, 0.0);
  double roughness = 0.3;
  for (int step = kPoints - 1; step > 1; step /= 2) {
    for (int i = step / 2; i < kPoints; i += step) {
      heights[i] = (heights[i - step / 2] + heights[i + step / 2]) / 2 + random.Between(-roughness, roughness);
    }
    roughness *= 0.6;
  }
  // ...on a few peaks with straight flanks, the tallest reaching `amplitude`.
  struct TPeak {
    double at, height, half_width;
  };
  TPeak peaks[4];
  for (TPeak& peak : peaks) peak = {random.Between(0.05, 0.95), random.Between(0.45, 0.8), random.Between(0.12, 0.3)};
  peaks[0].height = 1.0;
  for (int i = 0; i < kPoints; ++i) {
    const double x = static_cast<double>(i) / (kPoints - 1);
    double envelope = 0;
    for (const TPeak& peak : peaks) {
      envelope = std::max(envelope, peak.height * (1.0 - std::abs(x - peak.at) / peak.half_width));
    }
    heights[i] = envelope * 0.85 + heights[i];
  }

  QPainterPath path;
  for (int i = 0; i < kPoints; ++i) {
    const QPointF point(width * i / (kPoints - 1), baseline - amplitude * heights[i]);
    if (i == 0)
      path.moveTo(point);
    else
      path.lineTo(point);
  }
  CloseAlongBottom(path, width, bottom);
  return path;
}

QPainterPath FirTree(QPointF foot, double height, TSeededRandom& random) {
  QPainterPath tree;
  const double trunk = height * 0.025 + 0.5;
  tree.addRect(QRectF(foot.x() - trunk, foot.y() - height * 0.15, 2 * trunk, height * 0.15));

  constexpr int kTiers = 6;
  const double crown_foot = foot.y() - height * 0.08;
  for (int tier = 0; tier < kTiers; ++tier) {
    // Tiers grow narrower towards the top and overlap each other.
    const double low = crown_foot - (height * 0.86) * tier / kTiers;
    const double high = low - height * 0.30;
    const double half_width = height * 0.22 * (1.0 - 0.75 * tier / kTiers) * random.Between(0.85, 1.1);
    QPainterPath branch;
    branch.moveTo(foot.x(), std::max(high, foot.y() - height));
    branch.quadTo(foot.x() + half_width * 0.45, low - height * 0.12, foot.x() + half_width, low);
    branch.lineTo(foot.x() - half_width, low + height * 0.005);
    branch.quadTo(foot.x() - half_width * 0.45, low - height * 0.12, foot.x(), std::max(high, foot.y() - height));
    tree.addPath(branch);
  }
  tree.setFillRule(Qt::WindingFill);
  return tree;
}

void DrawGlow(QPainter& painter, QPointF centre, double radius, QColor color) {
  QRadialGradient glow(centre, radius);
  glow.setColorAt(0.0, color);
  QColor edge = color;
  edge.setAlpha(0);
  glow.setColorAt(1.0, edge);
  painter.setPen(Qt::NoPen);
  painter.setBrush(glow);
  painter.drawEllipse(centre, radius, radius);
}

}  // namespace pictures
