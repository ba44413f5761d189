// Rotating and sweeping reveals: pivots about a corner, pie-slice sweeps, and a
// rectangle or star that grows while it turns.
#include <array>
#include <cmath>
#include <numbers>

#include "effects/effect_procs.h"
#include "effects/frame_ops.h"
#include "effects/pixel_ops.h"
#include "effects/region_makers.h"

namespace effects {

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr long double mPI = kPi / 2;  // quarter turn: the sweeps start at twelve o'clock

// Pivot angle: a quarter turn at the start, none at the end. `turns` is
// (100 - Progress) or (Progress - 100).
long double PivotAngle(int32_t turns) { return turns * kPi / 200; }

// One full turn over the transition; an odd picture seed turns the other way.
long double TurnAngle(const Bitmap& Image, int32_t Progress) {
  const long double angle = Progress * kPi / 50;
  return (Image.Handle() & 1u) != 0 ? -angle : angle;
}

// Reaches the corners from the centre: the hypotenuse of the half sizes, in
// single precision, rounded up.
int32_t SweepRadius(int32_t W, int32_t H) {
  const float halfW = static_cast<float>(W / 2), halfH = static_cast<float>(H / 2);
  const float radius = static_cast<float>(std::hypot(static_cast<long double>(halfW), static_cast<long double>(halfH)));
  return static_cast<int32_t>(std::ceil(radius));
}

void Sweep(Bitmap& Display, const Bitmap& Image, int32_t W, int32_t H, long double EndAngle, int32_t Progress) {
  ClipAndCopy(Display, Image, W, H, CreateSliceRgn(W / 2, H / 2, SweepRadius(W, H), -mPI, EndAngle, Progress));
}

// The X × Y rectangle centred on the picture.
std::array<raster::Point, 4> CentredRect(int32_t W, int32_t H, int32_t X, int32_t Y) {
  const int32_t mW = W / 2, mH = H / 2, mX = X / 2, mY = Y / 2;
  return {{{mW - mX, mH - mY}, {mW + mX, mH - mY}, {mW + mX, mH + mY}, {mW - mX, mH + mY}}};
}

template <size_t N>
void RevealPolygon(Bitmap& Display, const Bitmap& Image, int32_t W, int32_t H,
                   const std::array<raster::Point, N>& Pts) {
  ClipAndCopy(Display, Image, W, H, raster::CreatePolygonRgn(Pts.data(), int32_t(N), raster::WINDING));
}

}  // namespace

void Effect120(EFFECT_PARAMS) { MergeRotate(Display, Image, -1, -1, PivotAngle(100 - Progress)); }

void Effect121(EFFECT_PARAMS) { MergeRotate(Display, Image, -1, H, PivotAngle(Progress - 100)); }

void Effect122(EFFECT_PARAMS) { MergeRotate(Display, Image, W, -1, PivotAngle(Progress - 100)); }

void Effect123(EFFECT_PARAMS) { MergeRotate(Display, Image, W, H, PivotAngle(100 - Progress)); }

void Effect144(EFFECT_PARAMS) { Sweep(Display, Image, W, H, Progress * kPi / 50 - mPI, Progress); }

void Effect145(EFFECT_PARAMS) { Sweep(Display, Image, W, H, Progress * (-kPi) / 50 - mPI, Progress); }

void Effect150(EFFECT_PARAMS) {
  std::array<raster::Point, 4> Pts = CentredRect(W, H, X, Y);
  RotatePoints(Pts, W / 2, H / 2, TurnAngle(Image, Progress));
  RevealPolygon(Display, Image, W, H, Pts);
}

void Effect151(EFFECT_PARAMS) {
  const int32_t mW = W / 2, mH = H / 2, mX = X / 2, mY = Y / 2, dX = 2 * X, dY = 2 * Y;
  std::array<raster::Point, 8> Pts = {{{mW - dX, mH},
                                       {mW - mX, mH - mY},
                                       {mW, mH - dY},
                                       {mW + mX, mH - mY},
                                       {mW + dX, mH},
                                       {mW + mX, mH + mY},
                                       {mW, mH + dY},
                                       {mW - mX, mH + mY}}};
  RotatePoints(Pts, mW, mH, TurnAngle(Image, Progress));
  RevealPolygon(Display, Image, W, H, Pts);
}

void Effect152(EFFECT_PARAMS) {
  std::array<raster::Point, 4> Pts = CentredRect(W, H, X, Y);
  // The turning centre travels down the diagonal with the extents.
  RotatePoints(Pts, X, Y, TurnAngle(Image, Progress));
  RevealPolygon(Display, Image, W, H, Pts);
}

}  // namespace effects
