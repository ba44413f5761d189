// Grid shreds and random squares: a grid of cells whose centres lie on odd
// multiples of the cell size, visited column by column; every cell holds a
// shape grown from its centre, or (random squares) is shown whole once its
// replayed random number falls below the progress.
#include <algorithm>
#include <memory>
#include <vector>

#include "effects/complex_region.h"
#include "effects/effect_procs.h"
#include "effects/frame_ops.h"
#include "effects/rect_list_reveal.h"
#include "effects/region_makers.h"
#include "platform/raster/muldiv.h"
#include "platform/raster/random.h"
#include "platform/raster/region_union.h"

namespace effects {

namespace {

using raster::MulDiv;

// Calls f(x, y) for the cell centres x = (2i + 1) * cellW while 2i * cellW < W
// (outer loop) and y = (2j + 1) * cellH while 2j * cellH < rowLimit (inner).
template <class F>
void ForEachCell(int32_t cellW, int32_t cellH, int32_t W, int32_t rowLimit, F f) {
  for (int32_t x = cellW; x - cellW < W; x += 2 * cellW) {
    for (int32_t y = cellH; y - cellH < rowLimit; y += 2 * cellH) f(x, y);
  }
}

// The union of the shapes of all cells. United in one sweep rather than one
// shape at a time: the result is the same region, but dozens of shapes
// spread over the same rows would otherwise rebuild every band dozens of times.
template <class Shape>
RegionPtr UnionOfCells(int32_t cellW, int32_t cellH, int32_t W, int32_t rowLimit, Shape shape) {
  std::vector<raster::Region> parts;
  ForEachCell(cellW, cellH, W, rowLimit, [&](int32_t x, int32_t y) { parts.push_back(std::move(*shape(x, y))); });
  if (parts.empty()) return nullptr;
  return std::make_unique<raster::Region>(raster::UnionOf(parts));
}

// Shows the new picture through the region; with no region the old stays.
void RevealIfAny(Bitmap& Display, const Bitmap& Image, int32_t W, int32_t H, RegionPtr region) {
  if (region) ClipAndCopy(Display, Image, W, H, std::move(region));
}

int32_t ShredCell(int32_t W, int32_t H) { return std::min(W, H) / 10 + 1; }

}  // namespace

#define EFFECT_PARAMS                                                                        \
  raster::Bitmap &Display, const raster::Bitmap &Image, int32_t W, int32_t H, [[maybe_unused]] int32_t X, \
      [[maybe_unused]] int32_t Y, [[maybe_unused]] int32_t Progress

// Triangles get one row more, so that the row centred below the bottom edge
// fills the last band with its upper part.
void Effect118(EFFECT_PARAMS) {
  const int32_t sW = W / 10 + 1, sH = H / 10 + 1;
  const int32_t dW = MulDiv(sW, Progress, 50), dH = MulDiv(sH, Progress, 50);
  RevealIfAny(Display, Image, W, H, UnionOfCells(sW, sH, W, H + sH, [&](int32_t x, int32_t y) {
    const int32_t pts[] = {x - dW, y - dH, x, y + dH, x + dW, y - dH};
    return CreatePolygonRgnEx(pts);
  }));
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
  RevealIfAny(Display, Image, W, H, UnionOfCells(S, S, W, H, [&](int32_t x, int32_t y) {
    return raster::CreateEllipticRgn(x - D, y - D, x + D, y + D);
  }));
}

void Effect164(EFFECT_PARAMS) {
  const int32_t S = ShredCell(W, H);
  const int32_t D = MulDiv(S, Progress, 50);
  RevealIfAny(Display, Image, W, H, UnionOfCells(S, S, W, H, [&](int32_t x, int32_t y) {
    const int32_t pts[] = {x - D, y, x, y - D, x + D, y, x, y + D};
    return CreatePolygonRgnEx(pts);
  }));
}

#undef EFFECT_PARAMS

}  // namespace effects
