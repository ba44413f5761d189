#pragma once
// Running one effect procedure on small pictures whose every pixel tells which
// picture and which position it came from, and reading the frame back as a
// mask of rows: '#' new picture, '.' old picture, '?' neither.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "effects/catalogue.h"
#include "platform/raster/bitmap.h"

namespace frame_mask_test {

using Mask = std::vector<std::string>;

inline Mask UniformMask(int32_t W, int32_t H, char c) { return Mask(size_t(H), std::string(size_t(W), c)); }

inline uint32_t OldPixel(int32_t x, int32_t y) { return 0x01000000u | uint32_t(y) << 12 | uint32_t(x); }
inline uint32_t NewPixel(int32_t x, int32_t y) { return 0x02000000u | uint32_t(y) << 12 | uint32_t(x); }

inline void FillWith(raster::Bitmap& b, uint32_t (*pixel)(int32_t, int32_t)) {
  for (int32_t y = 0; y < b.Height(); ++y)
    for (int32_t x = 0; x < b.Width(); ++x) b.SetPixel(x, y, pixel(x, y));
}

// Runs the catalogue procedure of `style` on a W × H display of the old
// picture, with the new picture's handle (picture seed) `seed`, and reads the
// frame back. Also checks the contract every procedure keeps: no clip left
// behind, the new picture intact.
inline Mask RunStyle(int32_t style, int32_t W, int32_t H, int32_t X, int32_t Y, int32_t Progress = 50,
                     uint32_t seed = 0x5EEDu) {
  raster::Bitmap display(W, H), image(W, H);
  FillWith(display, OldPixel);
  FillWith(image, NewPixel);
  image.SetHandle(seed);
  const effects::TEffect* effect = effects::FindEffect(style);
  if (effect == nullptr || effect->Proc == nullptr) {
    ADD_FAILURE() << "style " << style << " has no procedure";
    return {};
  }
  effect->Proc(display, image, W, H, X, Y, Progress);
  EXPECT_EQ(display.ClipRegion(), nullptr) << "style " << style << " left a clip region";
  Mask mask = UniformMask(W, H, '?');
  for (int32_t y = 0; y < H; ++y)
    for (int32_t x = 0; x < W; ++x) {
      EXPECT_EQ(image.Pixel(x, y), NewPixel(x, y)) << "style " << style << " changed the new picture";
      if (display.Pixel(x, y) == NewPixel(x, y)) mask[size_t(y)][size_t(x)] = '#';
      if (display.Pixel(x, y) == OldPixel(x, y)) mask[size_t(y)][size_t(x)] = '.';
    }
  return mask;
}

// The shared generator's step written out independently of the library:
// state × 134775813 + 1 modulo 2^32, the draw (state × n) shr 32.
inline uint32_t NextState(uint32_t state) { return state * 134775813u + 1u; }
inline int32_t DrawOf(uint32_t state, int32_t n) { return n <= 0 ? 0 : int32_t((uint64_t{state} * uint32_t(n)) >> 32); }
inline uint32_t StateAfter(uint32_t state, int64_t steps) {
  for (int64_t i = 0; i < steps; ++i) state = NextState(state);
  return state;
}

}  // namespace frame_mask_test
