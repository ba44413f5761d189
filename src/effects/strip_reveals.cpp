// Strip reveals: speckles ahead of an edge, blinds and appearing rectangles.
// The blinds and rectangles collect their strips in a rectangle list.
#include "effects/complex_region.h"
#include "effects/effect_procs.h"
#include "effects/frame_ops.h"
#include "effects/rect_list_reveal.h"
#include "effects/region_makers.h"
#include "platform/raster/muldiv.h"

namespace effects {

namespace {

using raster::MulDiv;

// Blind slats 2D wide centred on (2k + 1) * S, as long as 2k * S < extent;
// add(c - D, c + D) receives each slat's span across the extent.
template <class Add>
void AddBlindSlats(int32_t extent, int32_t Progress, Add add) {
  const int32_t S = extent / 40 + 1;
  const int32_t D = MulDiv(S, Progress, 100);
  for (int32_t c = S; c - S < extent; c += 2 * S) add(c - D, c + D);
}

// Uneven blind strips D = step * Progress / 100 long, every `step` pixels from
// the leading edge: add(a, b) receives each strip's span.
template <class Add>
void AddForwardStrips(int32_t extent, int32_t step, int32_t Progress, Add add) {
  const int32_t D = MulDiv(step, Progress, 100);
  for (int32_t a = 0; a < extent; a += step) add(a, a + D);
}

template <class Add>
void AddBackwardStrips(int32_t extent, int32_t step, int32_t Progress, Add add) {
  const int32_t D = MulDiv(step, Progress, 100);
  for (int32_t b = extent; b > 0; b -= step) add(b - D, b);
}

// Bands 2D thick centred on -unit, 2 unit, 5 unit, ... (every 3 units).
template <class Add>
void AddTripleBands(int32_t extent, int32_t unit, int32_t Progress, Add add) {
  const int32_t D = MulDiv(unit, Progress, 100);
  for (int32_t c = -unit; c < extent; c += 3 * unit) add(c - D, c + D);
}

}  // namespace

void Effect124(EFFECT_PARAMS) { ClipAndCopy(Display, Image, W, H, CreateSwarmRgn(X, Y, W, H, 1, 0)); }
void Effect125(EFFECT_PARAMS) { ClipAndCopy(Display, Image, W, H, CreateSwarmRgn(X, Y, W, H, 2, 0)); }
void Effect126(EFFECT_PARAMS) { ClipAndCopy(Display, Image, W, H, CreateSwarmRgn(X, Y, W, H, 0, 1)); }
void Effect127(EFFECT_PARAMS) { ClipAndCopy(Display, Image, W, H, CreateSwarmRgn(X, Y, W, H, 0, 2)); }

void Effect137(EFFECT_PARAMS) {
  TComplexRegion rects;
  AddBlindSlats(W, Progress, [&](int32_t x0, int32_t x1) { rects.AddRect(x0, 0, x1, H); });
  RevealRectList(Display, Image, W, H, rects);
}

void Effect138(EFFECT_PARAMS) {
  TComplexRegion rects;
  AddBlindSlats(H, Progress, [&](int32_t y0, int32_t y1) { rects.AddRect(0, y0, W, y1); });
  RevealRectList(Display, Image, W, H, rects);
}

// The uneven blinds step by the extent itself: at 0 the loop would not end.
void Effect139(EFFECT_PARAMS) {
  if (X == 0) return;
  TComplexRegion rects;
  AddForwardStrips(W, X, Progress, [&](int32_t x0, int32_t x1) { rects.AddRect(x0, 0, x1, H); });
  RevealRectList(Display, Image, W, H, rects);
}

void Effect140(EFFECT_PARAMS) {
  if (X == 0) return;
  TComplexRegion rects;
  AddBackwardStrips(W, X, Progress, [&](int32_t x0, int32_t x1) { rects.AddRect(x0, 0, x1, H); });
  RevealRectList(Display, Image, W, H, rects);
}

void Effect141(EFFECT_PARAMS) {
  if (Y == 0) return;
  TComplexRegion rects;
  AddForwardStrips(H, Y, Progress, [&](int32_t y0, int32_t y1) { rects.AddRect(0, y0, W, y1); });
  RevealRectList(Display, Image, W, H, rects);
}

void Effect142(EFFECT_PARAMS) {
  if (Y == 0) return;
  TComplexRegion rects;
  AddBackwardStrips(H, Y, Progress, [&](int32_t y0, int32_t y1) { rects.AddRect(0, y0, W, y1); });
  RevealRectList(Display, Image, W, H, rects);
}

// Appearing rectangles: fixed bands across one axis, and strips along the
// other whose pitch is the progress extent.
void Effect146(EFFECT_PARAMS) {
  const int32_t SW = X, SH = H / 20;
  if (SW == 0 || SH == 0) return;
  TComplexRegion rects;
  AddTripleBands(H, SH, Progress, [&](int32_t y0, int32_t y1) { rects.AddRect(0, y0, W, y1); });
  AddForwardStrips(W, SW, Progress, [&](int32_t x0, int32_t x1) { rects.AddRect(x0, 0, x1, H); });
  RevealRectList(Display, Image, W, H, rects);
}

void Effect147(EFFECT_PARAMS) {
  const int32_t SW = X, SH = H / 20;
  if (SW == 0 || SH == 0) return;
  TComplexRegion rects;
  AddTripleBands(H, SH, Progress, [&](int32_t y0, int32_t y1) { rects.AddRect(0, y0, W, y1); });
  AddBackwardStrips(W, SW, Progress, [&](int32_t x0, int32_t x1) { rects.AddRect(x0, 0, x1, H); });
  RevealRectList(Display, Image, W, H, rects);
}

void Effect148(EFFECT_PARAMS) {
  const int32_t SW = W / 20, SH = Y;
  if (SW == 0 || SH == 0) return;
  TComplexRegion rects;
  AddTripleBands(W, SW, Progress, [&](int32_t x0, int32_t x1) { rects.AddRect(x0, 0, x1, H); });
  AddForwardStrips(H, SH, Progress, [&](int32_t y0, int32_t y1) { rects.AddRect(0, y0, W, y1); });
  RevealRectList(Display, Image, W, H, rects);
}

void Effect149(EFFECT_PARAMS) {
  const int32_t SW = W / 20, SH = Y;
  if (SW == 0 || SH == 0) return;
  TComplexRegion rects;
  AddTripleBands(W, SW, Progress, [&](int32_t x0, int32_t x1) { rects.AddRect(x0, 0, x1, H); });
  AddBackwardStrips(H, SH, Progress, [&](int32_t y0, int32_t y1) { rects.AddRect(0, y0, W, y1); });
  RevealRectList(Display, Image, W, H, rects);
}

}  // namespace effects
