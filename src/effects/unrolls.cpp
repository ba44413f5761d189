// Unrolls and build-ups: the new picture is uncovered in place behind a
// moving edge. In an unroll the edge is a roll showing the mirror image of the
// strip just ahead of it, shaded like a cylinder; in a build-up the next strip
// of the new picture is stretched over everything still to come.
#include <algorithm>

#include "effects/effect_procs.h"
#include "effects/frame_ops.h"
#include "effects/pixel_ops.h"

namespace effects {

namespace {

constexpr uint8_t kRollShade = 64;

// Width of the roll for extent `covered` of `length`: a tenth of the length,
// growing out of the edge at the start and shrinking at the end so that the
// roll and the strip it mirrors fit into what is left.
int32_t RollWidth(int32_t length, int32_t covered) {
  const int32_t roll = length / 10;
  if (covered < roll) return covered;
  if (length - covered < 2 * roll) return (length - covered) / 2;
  return roll;
}

}  // namespace

// Unroll from left: the roll occupies columns X .. X + R - 1 and mirrors the
// R columns just right of it about its right edge.
void Effect014(EFFECT_PARAMS) {
  const int32_t R = RollWidth(W, X);
  CopyScaled(Display, X + R - 1, 0, -R, H, Image, X + R, 0, R, H);
  CopyBlock(Display, 0, 0, X, H, Image, 0, 0);
  ApplyHReflect(Display, kRollShade, X, R);
}

// Unroll from right: the roll occupies columns W - X - R .. W - X - 1; its
// mirrored strip starts one column further from the roll than in style 14,
// at column -1 near the end, which the copy leaves out.
void Effect015(EFFECT_PARAMS) {
  const int32_t R = RollWidth(W, X);
  CopyScaled(Display, W - X - 1, 0, -R, H, Image, W - X - 2 * R - 1, 0, R, H);
  CopyBlock(Display, W - X, 0, X, H, Image, W - X, 0);
  ApplyHReflect(Display, kRollShade, W - X - R, R);
}

// Build up from right: the uncovered part on the left, and the next strip of
// up to W div 10 columns stretched over everything to its right.
void Effect016(EFFECT_PARAMS) {
  CopyBlock(Display, 0, 0, X, H, Image, 0, 0);
  CopyScaled(Display, X, 0, W - X, H, Image, X, 0, std::min(W / 10, W - X), H);
}

// Build up from left: the uncovered part on the right, and the strip of up to
// W div 10 columns just left of it stretched over everything to its left.
void Effect017(EFFECT_PARAMS) {
  CopyBlock(Display, W - X, 0, X, H, Image, W - X, 0);
  const int32_t xs = std::max(0, W - X - W / 10);
  CopyScaled(Display, 0, 0, W - X, H, Image, xs, 0, W - X - xs, H);
}

// Unroll from top: twin of style 14 down the height.
void Effect031(EFFECT_PARAMS) {
  const int32_t R = RollWidth(H, Y);
  CopyScaled(Display, 0, Y + R - 1, W, -R, Image, 0, Y + R, W, R);
  CopyBlock(Display, 0, 0, W, Y, Image, 0, 0);
  ApplyVReflect(Display, kRollShade, Y, R);
}

// Unroll from bottom: twin of style 15; its mirrored strip may start at row -1.
void Effect032(EFFECT_PARAMS) {
  const int32_t R = RollWidth(H, Y);
  CopyScaled(Display, 0, H - Y - 1, W, -R, Image, 0, H - Y - 2 * R - 1, W, R);
  CopyBlock(Display, 0, H - Y, W, Y, Image, 0, H - Y);
  ApplyVReflect(Display, kRollShade, H - Y - R, R);
}

// Expand from bottom (the build-up twin of style 16 down the height).
void Effect033(EFFECT_PARAMS) {
  CopyBlock(Display, 0, 0, W, Y, Image, 0, 0);
  CopyScaled(Display, 0, Y, W, H - Y, Image, 0, Y, W, std::min(H / 10, H - Y));
}

// Expand in from top (the build-up twin of style 17 up the height).
void Effect034(EFFECT_PARAMS) {
  CopyBlock(Display, 0, H - Y, W, Y, Image, 0, H - Y);
  const int32_t ys = std::max(0, H - Y - H / 10);
  CopyScaled(Display, 0, 0, W, H - Y, Image, 0, ys, W, H - Y - ys);
}

}  // namespace effects
