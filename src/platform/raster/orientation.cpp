#include "platform/raster/orientation.h"

#include <vector>

namespace raster {
namespace {

// Where the upright picture's pixel (x, y) lies in the stored picture:
// column = cx0 + x * cdx + y * cdy, row = rx0 + x * rdx + y * rdy.
struct SourceWalk {
  int32_t cx0, cdx, cdy;
  int32_t rx0, rdx, rdy;
};

SourceWalk WalkFor(int orientation, int32_t w, int32_t h) {
  switch (orientation) {
    case 2: return {w - 1, -1, 0, 0, 0, 1};
    case 3: return {w - 1, -1, 0, h - 1, 0, -1};
    case 4: return {0, 1, 0, h - 1, 0, -1};
    case 5: return {0, 0, 1, 0, 1, 0};
    case 6: return {0, 0, 1, h - 1, -1, 0};
    case 7: return {w - 1, 0, -1, h - 1, -1, 0};
    case 8: return {w - 1, 0, -1, 0, 1, 0};
    default: return {0, 1, 0, 0, 0, 1};
  }
}

}  // namespace

Bitmap Oriented(const Bitmap& stored, int orientation) {
  const int32_t w = stored.Width(), h = stored.Height();
  const bool swaps = orientation >= 5 && orientation <= 8;
  Bitmap upright(swaps ? h : w, swaps ? w : h);
  if (stored.Empty()) return upright;
  const SourceWalk walk = WalkFor(orientation, w, h);
  std::vector<const uint32_t*> rows(static_cast<size_t>(h));
  for (int32_t y = 0; y < h; ++y) rows[size_t(y)] = stored.Row(y);

  for (int32_t y = 0; y < upright.Height(); ++y) {
    uint32_t* out = upright.Row(y);
    const int32_t column0 = walk.cx0 + y * walk.cdy, row0 = walk.rx0 + y * walk.rdy;
    if (walk.rdx == 0) {
      // One stored row, walked forwards or backwards.
      const uint32_t* in = rows[size_t(row0)] + column0;
      for (int32_t x = 0; x < upright.Width(); ++x) out[x] = in[x * walk.cdx];
    } else {
      // One stored column, walked up or down.
      for (int32_t x = 0; x < upright.Width(); ++x) out[x] = rows[size_t(row0 + x * walk.rdx)][column0];
    }
  }
  return upright;
}

}  // namespace raster
