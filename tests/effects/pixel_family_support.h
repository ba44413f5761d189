#pragma once
// Pictures and frame helpers for the tests of the rotating reveals, the pixel
// blends and the all-styles sweep.
#include <cstdint>
#include <memory>

#include "effects/frame_rule.h"
#include "platform/raster/bitmap.h"
#include "platform/raster/pixel.h"

namespace pixel_family_test {

// Old pictures have the top bit clear, new ones set; the rest encodes the
// position, so a frame pixel tells which picture and which pixel it came from.
constexpr uint32_t kNewMark = 0x80000000u;
inline uint32_t OldPixelAt(int32_t x, int32_t y) { return (uint32_t(y) << 16) | uint32_t(x); }
inline uint32_t NewPixelAt(int32_t x, int32_t y) { return kNewMark | OldPixelAt(x, y); }
inline bool IsNew(uint32_t v) { return (v & kNewMark) != 0; }
inline int32_t SourceX(uint32_t v) { return int32_t(v & 0xFFFFu); }
inline int32_t SourceY(uint32_t v) { return int32_t((v & ~kNewMark) >> 16); }

inline void FillPositions(raster::Bitmap& b, bool newPicture) {
  for (int32_t y = 0; y < b.Height(); ++y) {
    for (int32_t x = 0; x < b.Width(); ++x) b.SetPixel(x, y, newPicture ? NewPixelAt(x, y) : OldPixelAt(x, y));
  }
}

// Pseudo-random bytes (a fixed sequence of its own, not the shared generator).
inline void FillNoise(raster::Bitmap& b, uint32_t seed) {
  for (size_t i = 0; i < b.PixelCount(); ++i) {
    seed = seed * 1664525u + 1013904223u;
    b.Bits()[i] = seed ^ (seed >> 13);
  }
}

inline uint8_t Channel(uint32_t pixel, int c) { return uint8_t(pixel >> (8 * c)); }

// A transition of two W × H pictures; Frame(style, progress) renders one frame
// over a fresh copy of the old picture through the view's frame rule.
struct Transition {
  raster::Bitmap oldPicture, newPicture, display;
  Transition(int32_t w, int32_t h) : oldPicture(w, h), newPicture(w, h), display(w, h) {}
  int32_t W() const { return oldPicture.Width(); }
  int32_t H() const { return oldPicture.Height(); }
  const raster::Bitmap& Frame(int32_t style, int32_t progress) {
    display.Assign(oldPicture);
    effects::DrawEffectFrame(display, newPicture, W(), H(), style, progress);
    return display;
  }
};

inline std::unique_ptr<Transition> PositionTransition(int32_t w, int32_t h) {
  auto t = std::make_unique<Transition>(w, h);
  FillPositions(t->oldPicture, false);
  FillPositions(t->newPicture, true);
  return t;
}

}  // namespace pixel_family_test
