#include "texture_picture.h"

#include <QtMath>
#include <algorithm>

#include "seeded_random.h"

namespace pictures {
namespace {

constexpr int kSize = 128;
constexpr int kCell = 8;  // 16 cells across; the twill repeats every 4, so 128 tiles.

// Light across one tow of fibres: bright along its crown, dark where it dips
// under its neighbour. `across` is the position across the tow, 0..kCell.
double TowShade(double across) { return std::sin(M_PI * (across + 0.5) / kCell); }

}  // namespace

QImage DrawTexture() {
  QImage image(kSize, kSize, QImage::Format_RGB32);
  TSeededRandom random(128);
  for (int y = 0; y < kSize; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    const int cell_y = y / kCell;
    for (int x = 0; x < kSize; ++x) {
      const int cell_x = x / kCell;
      // 2 x 2 twill: the weave direction steps along the diagonal.
      const bool runs_across = ((cell_x + cell_y) / 2) % 2 == 0;
      const double shade = runs_across ? TowShade(y % kCell) : TowShade(x % kCell);
      const double grain = random.Between(-3.0, 3.0);
      const int level = std::clamp(static_cast<int>(16 + 20 * shade + grain), 0, 255);
      row[x] = qRgb(level, level + 1, std::min(level + 4, 255));
    }
  }
  return image;
}

}  // namespace pictures
