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

// Which way the strips of a member run: full-height columns spaced across the
// width, or full-width rows spaced down the height.
enum class Strips { Columns, Rows };

// Adds a strip spanning [a, b) across the spacing axis and the whole picture
// along the other.
struct StripAdder {
  TComplexRegion& rects;
  Strips strips;
  int32_t W, H;
  void operator()(int32_t a, int32_t b) const {
    if (strips == Strips::Columns) {
      rects.AddRect(a, 0, b, H);
    } else {
      rects.AddRect(0, a, W, b);
    }
  }
};

// Which edge the strips start from: the left or top edge, or the right or bottom.
enum class From { Start, End };

Strips Across(Strips strips) { return strips == Strips::Columns ? Strips::Rows : Strips::Columns; }

void RevealBlind(Bitmap& Display, const Bitmap& Image, int32_t W, int32_t H, int32_t Progress, Strips strips) {
  TComplexRegion rects;
  AddBlindSlats(strips == Strips::Columns ? W : H, Progress, StripAdder{rects, strips, W, H});
  RevealRectList(Display, Image, W, H, rects);
}

// The uneven blinds step by the extent itself: at 0 the loop would not end.
void RevealUnevenBlind(Bitmap& Display, const Bitmap& Image, int32_t W, int32_t H, int32_t Progress, Strips strips,
                       From from, int32_t S) {
  if (S == 0) return;
  TComplexRegion rects;
  const StripAdder add{rects, strips, W, H};
  const int32_t extent = strips == Strips::Columns ? W : H;
  if (from == From::Start) {
    AddForwardStrips(extent, S, Progress, add);
  } else {
    AddBackwardStrips(extent, S, Progress, add);
  }
  RevealRectList(Display, Image, W, H, rects);
}

// Appearing rectangles: fixed bands across the strips, one twentieth of the
// picture per unit, and strips whose pitch is the progress extent.
void RevealAppearingRects(Bitmap& Display, const Bitmap& Image, int32_t W, int32_t H, int32_t Progress, Strips strips,
                          From from, int32_t pitch) {
  const int32_t bandExtent = strips == Strips::Columns ? H : W;
  const int32_t unit = bandExtent / 20;
  if (pitch == 0 || unit == 0) return;
  TComplexRegion rects;
  AddTripleBands(bandExtent, unit, Progress, StripAdder{rects, Across(strips), W, H});
  const StripAdder add{rects, strips, W, H};
  const int32_t extent = strips == Strips::Columns ? W : H;
  if (from == From::Start) {
    AddForwardStrips(extent, pitch, Progress, add);
  } else {
    AddBackwardStrips(extent, pitch, Progress, add);
  }
  RevealRectList(Display, Image, W, H, rects);
}

}  // namespace

void Effect124(EFFECT_PARAMS) {
  ClipAndCopy(Display, Image, W, H, CreateSwarmRgn(X, Y, W, H, SwarmMode::FromEnd, SwarmMode::Off));
}
void Effect125(EFFECT_PARAMS) {
  ClipAndCopy(Display, Image, W, H, CreateSwarmRgn(X, Y, W, H, SwarmMode::FromStart, SwarmMode::Off));
}
void Effect126(EFFECT_PARAMS) {
  ClipAndCopy(Display, Image, W, H, CreateSwarmRgn(X, Y, W, H, SwarmMode::Off, SwarmMode::FromEnd));
}
void Effect127(EFFECT_PARAMS) {
  ClipAndCopy(Display, Image, W, H, CreateSwarmRgn(X, Y, W, H, SwarmMode::Off, SwarmMode::FromStart));
}

void Effect137(EFFECT_PARAMS) { RevealBlind(Display, Image, W, H, Progress, Strips::Columns); }
void Effect138(EFFECT_PARAMS) { RevealBlind(Display, Image, W, H, Progress, Strips::Rows); }

void Effect139(EFFECT_PARAMS) { RevealUnevenBlind(Display, Image, W, H, Progress, Strips::Columns, From::Start, X); }
void Effect140(EFFECT_PARAMS) { RevealUnevenBlind(Display, Image, W, H, Progress, Strips::Columns, From::End, X); }
void Effect141(EFFECT_PARAMS) { RevealUnevenBlind(Display, Image, W, H, Progress, Strips::Rows, From::Start, Y); }
void Effect142(EFFECT_PARAMS) { RevealUnevenBlind(Display, Image, W, H, Progress, Strips::Rows, From::End, Y); }

void Effect146(EFFECT_PARAMS) { RevealAppearingRects(Display, Image, W, H, Progress, Strips::Columns, From::Start, X); }
void Effect147(EFFECT_PARAMS) { RevealAppearingRects(Display, Image, W, H, Progress, Strips::Columns, From::End, X); }
void Effect148(EFFECT_PARAMS) { RevealAppearingRects(Display, Image, W, H, Progress, Strips::Rows, From::Start, Y); }
void Effect149(EFFECT_PARAMS) { RevealAppearingRects(Display, Image, W, H, Progress, Strips::Rows, From::End, Y); }

}  // namespace effects
