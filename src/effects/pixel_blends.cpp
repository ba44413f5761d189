// Pixel blends and dissolves: cross-fades over the whole pixel block, pixels,
// rows or columns switched by a pattern pinned to the picture seed, and the
// pixelating zoom.
#include <algorithm>
#include <cstring>
#include <vector>

#include "effects/channel_blend.h"
#include "effects/effect_procs.h"
#include "effects/frame_ops.h"
#include "effects/pixel_ops.h"
#include "platform/raster/cpu_clones.h"
#include "platform/raster/muldiv.h"
#include "platform/raster/random.h"

namespace effects {

namespace {

// Random(100) < Progress holds exactly when the generator state after the draw
// is below ceil(Progress * 2^32 / 100) (the draw is state * 100 >> 32). For
// Progress 0..99 the bound fits in 32 bits.
uint32_t ShownBelow(int32_t Progress) {
  const uint64_t p = static_cast<uint64_t>(std::clamp(Progress, 0, 99));
  return static_cast<uint32_t>(((p << 32) + 99) / 100);
}

// Generator steps of the pinned pattern: state -> A * state + C, and the
// same step taken `n` times.
struct LcgStep {
  uint32_t mul = 1, add = 0;
  uint32_t operator()(uint32_t s) const { return s * mul + add; }
};
LcgStep RepeatedStep(int n) {
  LcgStep total;
  for (int i = 0; i < n; ++i) total = {total.mul * 134775813u, total.add * 134775813u + 1u};
  return total;
}

// Four 32-bit lanes (a GCC/Clang vector extension; SSE2 on x86-64).
typedef uint32_t U32x4 __attribute__((vector_size(16)));
U32x4 Load4(const uint32_t* p) {
  U32x4 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
void Store4(uint32_t* p, U32x4 v) { std::memcpy(p, &v, sizeof v); }

// Eight 32-bit lanes: one AVX2 register, or two SSE2 registers.
typedef uint32_t U32x8 __attribute__((vector_size(32)));

// Copies every pixel whose pinned draw Random(100), one per pixel in memory
// order, is below Progress. Thirty-two pixels are decided side by side in
// four groups of eight lanes: lane j of group g holds the state after the
// draw for pixel i + 8g + j and steps 32 draws ahead per round, so the draws
// are the very ones a single generator would make. Four independent chains
// keep the lane multiply's latency off the critical path (one chain waits on
// it every eight pixels). Built for AVX2 (whose lane multiply the baseline
// lacks) and for the baseline, chosen at load time.
VANTREL_CPU_CLONES void DissolvePixels(uint32_t* dst, const uint32_t* src, size_t count, uint32_t seed,
                                       int32_t Progress) {
  if (Progress >= 100) {  // every draw is below 100
    std::memcpy(dst, src, count * sizeof(uint32_t));
    return;
  }
  constexpr size_t kLanes = 8, kGroups = 4, kRound = kLanes * kGroups;
  const LcgStep one = RepeatedStep(1), round = RepeatedStep(int(kRound));
  uint32_t states[kRound];
  uint32_t state = seed;
  for (uint32_t& s : states) s = state = one(state);
  const uint32_t below = ShownBelow(Progress);
  const U32x8 belowLanes = U32x8{} + below, mul = U32x8{} + round.mul, add = U32x8{} + round.add;
  U32x8 lanes[kGroups];
  std::memcpy(lanes, states, sizeof lanes);
  size_t i = 0;
  for (; i + kRound <= count; i += kRound) {
    for (size_t g = 0; g < kGroups; ++g) {
      const size_t at = i + g * kLanes;
      const U32x8 take = (U32x8)(lanes[g] < belowLanes);
      U32x8 from, into;
      std::memcpy(&from, src + at, sizeof from);
      std::memcpy(&into, dst + at, sizeof into);
      const U32x8 result = (from & take) | (into & ~take);
      std::memcpy(dst + at, &result, sizeof result);
      lanes[g] = lanes[g] * mul + add;
    }
  }
  std::memcpy(states, lanes, sizeof lanes);
  for (size_t j = 0; i + j < count; ++j) {
    if (states[j] < below) dst[i + j] = src[i + j];
  }
}

// dst[i] := src[i] where mask[i] is all ones, kept where it is 0; branch-free,
// four pixels at a time.
void TakeMasked(uint32_t* dst, const uint32_t* src, const uint32_t* mask, size_t count) {
  size_t i = 0;
  for (; i + 4 <= count; i += 4) {
    const U32x4 take = Load4(mask + i);
    Store4(dst + i, (Load4(src + i) & take) | (Load4(dst + i) & ~take));
  }
  for (; i < count; ++i) dst[i] = (src[i] & mask[i]) | (dst[i] & ~mask[i]);
}

// Pixelate's blend block, trimmed to the picture: on pictures of a few
// pixels the 2-pixel minimum block can reach past the right or bottom edge.
void BlendInside(Bitmap& Display, const Bitmap& Image, int32_t Transparency, int32_t x, int32_t y, int32_t w,
                 int32_t h) {
  const raster::Rect block = raster::Intersect({x, y, x + w, y + h}, Display.Bounds());
  if (block.empty()) return;
  MergeTransparent(Display, Image, Transparency, block.left, block.top, block.width(), block.height());
}

// Magnifies the sW × sH block at (a, b) of Display over Display itself. The
// block is read completely before anything is written: a block inside the
// picture goes through a copy of just that block, anything else through the
// general overlapping copy.
void MagnifyOwnBlock(Bitmap& Display, int32_t xd, int32_t yd, int32_t wd, int32_t hd, int32_t a, int32_t b, int32_t sW,
                     int32_t sH) {
  const raster::Rect block{a, b, a + sW, b + sH};
  if (raster::Intersect(block, Display.Bounds()) != block) {
    CopyScaled(Display, xd, yd, wd, hd, Display, a, b, sW, sH);
    return;
  }
  Bitmap source(sW, sH);
  CopyBlock(source, 0, 0, sW, sH, Display, a, b);
  CopyScaled(Display, xd, yd, wd, hd, source, 0, 0, sW, sH);
}

}  // namespace

void Effect119(EFFECT_PARAMS) {
  const auto Weight = static_cast<uint16_t>(raster::MulDiv(256, Progress, 100));
  BlendChannels(Display.Bits(), Image.Bits(), size_t(W) * size_t(H), {Weight, Weight, Weight, 0});
}

void Effect168(EFFECT_PARAMS) {
  const bool zoomIn = Progress <= 50;
  const int32_t S = zoomIn ? 180 - raster::MulDiv(Progress, 82, 50) : raster::MulDiv(Progress - 100, 82, 50) + 180;
  const int32_t a = raster::MulDiv(zoomIn ? X : W - X, S, 100);
  const int32_t b = raster::MulDiv(zoomIn ? Y : H - Y, S, 100);
  const int32_t sW = std::max(W - 2 * a, 2), sH = std::max(H - 2 * b, 2);
  const bool blending = Progress >= 41 && Progress <= 59;
  if (blending) BlendInside(Display, Image, 5 * Progress - 200, a, b, sW, sH);
  if (zoomIn || blending) {
    MagnifyOwnBlock(Display, -2 * a, -2 * b, W + 4 * a, H + 4 * b, a, b, sW, sH);
  } else {
    CopyScaled(Display, -2 * a, -2 * b, W + 4 * a, H + 4 * b, Image, a, b, sW, sH);
  }
}

void Effect169(EFFECT_PARAMS) {
  DissolvePixels(Display.Bits(), Image.Bits(), size_t(W) * size_t(H), Image.Handle(), Progress);
}

void Effect170(EFFECT_PARAMS) {
  raster::TPinnedRandom pinned(Image.Handle());
  // One draw per row in memory order: the bottom row (y = H - 1) first.
  for (int32_t y = H - 1; y >= 0; --y) {
    if (pinned.Random(100) < Progress) CopyBlock(Display, 0, y, W, 1, Image, 0, y);
  }
}

void Effect171(EFFECT_PARAMS) {
  raster::TPinnedRandom pinned(Image.Handle());
  // One draw per column, left to right; then every row takes the chosen columns.
  std::vector<uint32_t> take(static_cast<size_t>(W));
  for (uint32_t& t : take) t = pinned.Random(100) < Progress ? ~0u : 0u;
  for (int32_t r = 0; r < H; ++r) {
    TakeMasked(Display.Bits() + size_t(r) * W, Image.Bits() + size_t(r) * W, take.data(), size_t(W));
  }
}

void Effect172(EFFECT_PARAMS) {
  raster::TPinnedRandom pinned(Image.Handle());
  const int32_t C1 = pinned.Random(3);
  int32_t C2;
  do {
    C2 = pinned.Random(3);
  } while (C2 == C1);
  const int32_t C3 = ~(C1 | C2) & 3;
  // Weight per channel byte (0 blue, 1 green, 2 red): earlier thirds' channels
  // are taken whole, the current third's channel is blended.
  uint16_t weight[4] = {0, 0, 0, 0};
  if (Progress <= 33) {
    weight[C1] = static_cast<uint16_t>(raster::MulDiv(256, Progress, 33));
  } else if (Progress <= 66) {
    weight[C1] = 256;
    weight[C2] = static_cast<uint16_t>(raster::MulDiv(256, Progress - 33, 33));
  } else {
    weight[C1] = weight[C2] = 256;
    weight[C3] = static_cast<uint16_t>(raster::MulDiv(256, Progress - 66, 33));
  }
  BlendChannels(Display.Bits(), Image.Bits(), size_t(W) * size_t(H), {weight[0], weight[1], weight[2], 0});
}

}  // namespace effects
