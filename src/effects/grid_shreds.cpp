// Grid shreds and random squares: a grid of cells whose centres lie on odd
// multiples of the cell size, visited column by column; every cell holds a
// shape grown from its centre, or (random squares) is shown whole once its
// replayed random number falls below the progress.
#include <algorithm>
#include <memory>

#include "effects/complex_region.h"
#include "effects/effect_procs.h"
#include "effects/frame_ops.h"
#include "effects/lattice_region.h"
#include "effects/rect_list_reveal.h"
#include "effects/region_makers.h"
#include "platform/raster/muldiv.h"
#include "platform/raster/random.h"

namespace effects {

namespace {

using raster::MulDiv;

// Number of cells along an axis: centres (2k + 1) * cell while 2k * cell < limit.
int32_t CellCount(int32_t limit, int32_t cell) { return (limit + 2 * cell - 1) / (2 * cell); }

// Calls f(x, y) for every cell centre, columns outer, rows inner.
template <class F>
void ForEachCell(int32_t cellW, int32_t cellH, int32_t W, int32_t rowLimit, F f) {
  for (int32_t x = cellW; x - cellW < W; x += 2 * cellW) {
    for (int32_t y = cellH; y - cellH < rowLimit; y += 2 * cellH) f(x, y);
  }
}

// The union of `shape` (drawn about (0, 0)) centred on every cell. Every cell
// holds the same shape, so the union is built from the shape's rows in one
// pass; it equals uniting the shapes cell by cell, without rebuilding the
// frame region once per cell.
RegionPtr ShapeOnEveryCell(RegionPtr shape, int32_t cellW, int32_t cellH, int32_t W, int32_t rowLimit) {
  const TLattice cells{cellW, 2 * cellW, CellCount(W, cellW), cellH, 2 * cellH, CellCount(rowLimit, cellH)};
  return std::make_unique<raster::Region>(LatticeUnion(*shape, cells));
}

int32_t ShredCell(int32_t W, int32_t H) { return std::min(W, H) / 10 + 1; }

}  // namespace

// Triangles get one row more, so that the row centred below the bottom edge
// fills the last band with its upper part.
void Effect118(EFFECT_PARAMS) {
  const int32_t sW = W / 10 + 1, sH = H / 10 + 1;
  const int32_t dW = MulDiv(sW, Progress, 50), dH = MulDiv(sH, Progress, 50);
  const int32_t triangle[] = {-dW, -dH, 0, dH, dW, -dH};
  ClipAndCopy(Display, Image, W, H, ShapeOnEveryCell(CreatePolygonRgnEx(triangle), sW, sH, W, H + sH));
}

// One number per cell from a generator started at the picture seed: every
// frame of a transition replays the same numbers, so a shown cell stays shown,
// and the shared generator is left alone.
void Effect128(EFFECT_PARAMS) {
  raster::TPinnedRandom pinned(Image.Handle());
  const int32_t S = std::min(W, H) / 50 + 1;
  TComplexRegion rects;
  ForEachCell(S, S, W, H, [&](int32_t x, int32_t y) {
    if (pinned.Random(100) < Progress) rects.AddRect(x - S, y - S, x + S, y + S);
  });
  RevealRectList(Display, Image, W, H, rects);
}

void Effect143(EFFECT_PARAMS) {
  const int32_t S = ShredCell(W, H);
  const int32_t D = MulDiv(S, Progress, 100);
  TComplexRegion rects;
  ForEachCell(S, S, W, H, [&](int32_t x, int32_t y) { rects.AddRect(x - D, y - D, x + D, y + D); });
  RevealRectList(Display, Image, W, H, rects);
}

void Effect153(EFFECT_PARAMS) {
  const int32_t S = ShredCell(W, H);
  const int32_t D = MulDiv(3 * S, Progress, 200);
  ClipAndCopy(Display, Image, W, H, ShapeOnEveryCell(raster::CreateEllipticRgn(-D, -D, D, D), S, S, W, H));
}

void Effect164(EFFECT_PARAMS) {
  const int32_t S = ShredCell(W, H);
  const int32_t D = MulDiv(S, Progress, 50);
  const int32_t diamond[] = {-D, 0, 0, -D, D, 0, 0, D};
  ClipAndCopy(Display, Image, W, H, ShapeOnEveryCell(CreatePolygonRgnEx(diamond), S, S, W, H));
}

}  // namespace effects
