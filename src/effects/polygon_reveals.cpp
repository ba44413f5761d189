// Polygon reveals: diagonals, sweeps, starbursts, V shapes, bow ties, diagonal
// crosses, zigzag bands and diamonds. Each frame is one to five winding-rule
// polygons combined into one clip region for the new picture.
#include <array>
#include <memory>
#include <vector>

#include "effects/effect_procs.h"
#include "effects/frame_ops.h"
#include "effects/region_makers.h"
#include "platform/raster/muldiv.h"
#include "platform/raster/region_union.h"

namespace effects {

namespace {

using Vertices = std::vector<int32_t>;  // x0, y0, x1, y1, ...
using Polygons = std::vector<Vertices>;

// Every region here only clips a frame H rows high: polygons are built within
// those rows (at progress 75 some reach a quarter of the frame beyond it).
RegionPtr Polygon(const Vertices& v, int32_t H) { return CreatePolygonRgnInFrame(v, H); }

// The polygons' regions, preceded by `first` when one is given.
std::vector<raster::Region> Regions(const Polygons& polygons, int32_t H, RegionPtr first = nullptr) {
  std::vector<raster::Region> parts;
  if (first) parts.push_back(std::move(*first));
  for (const Vertices& v : polygons) parts.push_back(std::move(*Polygon(v, H)));
  return parts;
}

// Union and exclusive-or of all the polygons, each built in one sweep over
// their rows: the same region as combining them into the first one by one,
// without rebuilding every band once per polygon.
RegionPtr UnionOf(const Polygons& polygons, int32_t H) {
  return std::make_unique<raster::Region>(raster::UnionOf(Regions(polygons, H)));
}

RegionPtr XorOf(const Polygons& polygons, int32_t H) {
  return std::make_unique<raster::Region>(raster::XorOf(Regions(polygons, H)));
}

// The whole picture with the polygons combined into it by exclusive-or.
RegionPtr PictureXor(int32_t W, int32_t H, const Polygons& polygons) {
  return std::make_unique<raster::Region>(raster::XorOf(Regions(polygons, H, raster::CreateRectRgn(0, 0, W, H))));
}

// Four wedges from the middles of the left, right, top and bottom edges,
// mX (mY) deep towards the centre.
Polygons CrossWedges(int32_t W, int32_t H, int32_t mX, int32_t mY) {
  const int32_t mW = W / 2, mH = H / 2;
  return {{0, mH - mY, mX, mH, 0, mH + mY},
          {W, mH - mY, W - mX, mH, W, mH + mY},
          {mW - mX, 0, mW, mY, mW + mX, 0},
          {mW - mX, H, mW, H - mY, mW + mX, H}};
}

// The 24-point zigzag band: `across` holds the four offsets of the band's two
// edges (upper edge at even and odd vertices, then lower edge), `pitch` the
// spacing of the vertices along the band. `transpose` swaps the axes.
RegionPtr ZigzagBand(const std::array<int32_t, 4>& across, int32_t pitch, bool transpose) {
  std::array<raster::Point, 24> pts;
  for (int32_t n = 0; n < 12; ++n) {
    const int32_t along = n * pitch;
    const int32_t near = across[n % 2], far = across[2 + n % 2];
    pts[n] = transpose ? raster::Point{near, along} : raster::Point{along, near};
    pts[23 - n] = transpose ? raster::Point{far, along} : raster::Point{along, far};
  }
  return raster::CreatePolygonRgn(pts.data(), int32_t(pts.size()), raster::WINDING);
}

// Offsets of the band edges about the centre line `middle`: half-thickness
// `half`, teeth of height 2 * `tooth`.
std::array<int32_t, 4> ZigzagEdges(int32_t middle, int32_t tooth, int32_t half) {
  return {middle + tooth - half, middle - tooth - half, middle + tooth + half, middle - tooth + half};
}

}  // namespace

void Effect110(EFFECT_PARAMS) { ClipAndCopy(Display, Image, W, H, Polygon({0, 0, 2 * X, 0, 0, 2 * Y}, H)); }

void Effect111(EFFECT_PARAMS) { ClipAndCopy(Display, Image, W, H, Polygon({W, 0, W - 2 * X, 0, W, 2 * Y}, H)); }

void Effect112(EFFECT_PARAMS) { ClipAndCopy(Display, Image, W, H, Polygon({0, H, 2 * X, H, 0, H - 2 * Y}, H)); }

void Effect113(EFFECT_PARAMS) { ClipAndCopy(Display, Image, W, H, Polygon({W, H, W - 2 * X, H, W, H - 2 * Y}, H)); }

void Effect114(EFFECT_PARAMS) {
  ClipAndCopy(Display, Image, W, H, UnionOf({{0, H, 0, 0, X, H}, {W, H, W, 0, W - X, 0}}, H));
}

void Effect115(EFFECT_PARAMS) {
  ClipAndCopy(Display, Image, W, H, UnionOf({{W, 0, 0, 0, W, Y}, {W, H, 0, H, 0, H - Y}}, H));
}

void Effect116(EFFECT_PARAMS) {
  const int32_t mW = W / 2, mH = H / 2;
  ClipAndCopy(
      Display, Image, W, H,
      UnionOf({{mW, mH, 0, 0, X, 0}, {mW, mH, 0, H, 0, H - Y}, {mW, mH, W, H, W - X, H}, {mW, mH, W, 0, W, Y}}, H));
}

void Effect117(EFFECT_PARAMS) {
  const int32_t mW = W / 2, mH = H / 2;
  ClipAndCopy(
      Display, Image, W, H,
      UnionOf({{mW, mH, 0, 0, 0, Y}, {mW, mH, 0, H, X, H}, {mW, mH, W, H, W, H - Y}, {mW, mH, W, 0, W - X, 0}}, H));
}

void Effect154(EFFECT_PARAMS) {
  const int32_t mH = H / 2;
  ClipAndCopy(Display, Image, W, H, Polygon({0, mH - Y, 2 * X, mH, 0, mH + Y}, H));
}

void Effect155(EFFECT_PARAMS) {
  const int32_t mH = H / 2;
  ClipAndCopy(Display, Image, W, H, Polygon({W, mH - Y, W - 2 * X, mH, W, mH + Y}, H));
}

void Effect156(EFFECT_PARAMS) {
  const int32_t mW = W / 2;
  ClipAndCopy(Display, Image, W, H, Polygon({mW - X, 0, mW, 2 * Y, mW + X, 0}, H));
}

void Effect157(EFFECT_PARAMS) {
  const int32_t mW = W / 2;
  ClipAndCopy(Display, Image, W, H, Polygon({mW - X, H, mW, H - 2 * Y, mW + X, H}, H));
}

void Effect158(EFFECT_PARAMS) {
  const int32_t mH = H / 2;
  ClipAndCopy(Display, Image, W, H, UnionOf({{0, mH - Y, X, mH, 0, mH + Y}, {W, mH - Y, W - X, mH, W, mH + Y}}, H));
}

void Effect159(EFFECT_PARAMS) {
  const int32_t mW = W / 2;
  ClipAndCopy(Display, Image, W, H,
              UnionOf({{mW - X, 0, mW, 2 * Y, mW + X, 0}, {mW - X, H, mW, H - 2 * Y, mW + X, H}}, H));
}

void Effect160(EFFECT_PARAMS) { ClipAndCopy(Display, Image, W, H, UnionOf(CrossWedges(W, H, X / 2, Y / 2), H)); }

void Effect161(EFFECT_PARAMS) {
  ClipAndCopy(Display, Image, W, H, PictureXor(W, H, CrossWedges(W, H, (W - X) / 2, (H - Y) / 2)));
}

void Effect162(EFFECT_PARAMS) {
  const int32_t sH = H / 10, sW = W / 10;
  const int32_t mY = raster::MulDiv(sH, Progress, 100) + Y / 2;
  ClipAndCopy(Display, Image, W, H, ZigzagBand(ZigzagEdges(H / 2, sH, mY), sW, false));
}

void Effect163(EFFECT_PARAMS) {
  const int32_t sH = H / 10, sW = W / 10;
  const int32_t mX = raster::MulDiv(sW, Progress, 100) + X / 2;
  ClipAndCopy(Display, Image, W, H, ZigzagBand(ZigzagEdges(W / 2, sW, mX), sH, true));
}

void Effect165(EFFECT_PARAMS) {
  const int32_t mW = W / 2, mH = H / 2;
  ClipAndCopy(Display, Image, W, H, Polygon({mW - X, mH, mW, mH - Y, mW + X, mH, mW, mH + Y}, H));
}

void Effect166(EFFECT_PARAMS) {
  const int32_t mW = W / 2, mH = H / 2;
  ClipAndCopy(Display, Image, W, H, PictureXor(W, H, {{X - mW, mH, mW, Y - mH, 3 * mW - X, mH, mW, 3 * mH - Y}}));
}

void Effect167(EFFECT_PARAMS) {
  const int32_t mW = W / 2, mH = H / 2, mX = X / 2, mY = Y / 2;
  ClipAndCopy(
      Display, Image, W, H,
      XorOf({{-mX, mH, mW, -mY, 2 * mW + mX, mH, mW, 2 * mH + mY}, {mX, mH, mW, mY, 2 * mW - mX, mH, mW, 2 * mH - mY}},
            H));
}

}  // namespace effects
