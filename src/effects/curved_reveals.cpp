// Curved and elliptic reveals: the new picture shows through one rounded
// rectangle whose corner ellipses, reduced to the rectangle's size where they
// exceed it, give a half-elliptic, quarter-elliptic or near-elliptic front.
#include <utility>

#include "effects/effect_procs.h"
#include "effects/frame_ops.h"

namespace effects {

namespace {

// Clip-and-copy through the rounded rectangle (l, t, r, b) with w × h corners.
void RevealRoundRect(Bitmap& Display, const Bitmap& Image, int32_t W, int32_t H, int32_t l, int32_t t, int32_t r,
                     int32_t b, int32_t w, int32_t h) {
  ClipAndCopy(Display, Image, W, H, raster::CreateRoundRectRgn(l, t, r, b, w, h));
}

}  // namespace

// Half-elliptic fronts from one edge: the corner size along the front exceeds
// the rectangle's short side and is reduced to it.
void Effect058(EFFECT_PARAMS) { RevealRoundRect(Display, Image, W, H, -2 * W, 0, 2 * X, H + 1, 2 * W, 2 * W); }
void Effect059(EFFECT_PARAMS) { RevealRoundRect(Display, Image, W, H, W - 2 * X, 0, 3 * W, H + 1, 2 * W, 2 * W); }
void Effect069(EFFECT_PARAMS) { RevealRoundRect(Display, Image, W, H, 0, -2 * H, W + 1, 2 * Y, 2 * H, 2 * H); }
void Effect070(EFFECT_PARAMS) { RevealRoundRect(Display, Image, W, H, 0, H - 2 * Y, W + 1, 3 * H, 2 * H, 2 * H); }

// Quarter-elliptic fronts from a corner, moving at one and a half times the extent.
void Effect080(EFFECT_PARAMS) { RevealRoundRect(Display, Image, W, H, -W, -H, (3 * X) / 2, (3 * Y) / 2, 2 * W, 2 * H); }
void Effect081(EFFECT_PARAMS) {
  RevealRoundRect(Display, Image, W, H, W - (3 * X) / 2, -H, 2 * W, (3 * Y) / 2, 2 * W, 2 * H);
}
void Effect082(EFFECT_PARAMS) {
  RevealRoundRect(Display, Image, W, H, -W, H - (3 * Y) / 2, (3 * X) / 2, 2 * H, 2 * W, 2 * H);
}
void Effect083(EFFECT_PARAMS) {
  RevealRoundRect(Display, Image, W, H, W - (3 * X) / 2, H - (3 * Y) / 2, 2 * W, 2 * H, 2 * W, 2 * H);
}

// Near-ellipses (corners 90 % of the size) about the centre.
void Effect084(EFFECT_PARAMS) {
  const int32_t mW = W / 2, mH = H / 2;
  RevealRoundRect(Display, Image, W, H, mW - X, mH - Y, mW + X, mH + Y, (9 * X) / 5, (9 * Y) / 5);
}

// The frame minus a shrinking near-ellipse: the old picture stays inside it.
void Effect085(EFFECT_PARAMS) {
  const int32_t mW = W / 2, mH = H / 2;
  const raster::Region ellipse =
      raster::Region::FromRoundRect({X - mW, Y - mH, 3 * mW - X, 3 * mH - Y}, (9 * (W - X)) / 5, (9 * (H - Y)) / 5);
  ClipAndCopy(Display, Image, W, H, raster::Region::FromRect({0, 0, W, H}) ^ ellipse);
}

}  // namespace effects
