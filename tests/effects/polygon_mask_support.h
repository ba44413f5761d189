#pragma once
// Expected frames of the polygon-based reveals, computed pixel by pixel: a
// pixel is inside a polygon when the winding number around its centre is not
// zero (an edge counts for the pixels whose centre lies at or right of where
// it crosses the row's centre line). Shapes are combined as the reveals
// combine them, starting from nothing or from the whole picture.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "effects/catalogue.h"
#include "effects/frame_rule.h"
#include "platform/raster/bitmap.h"
#include "platform/raster/muldiv.h"

namespace polygon_mask_test {

// A frame as rows of '#' (new picture), '.' (old picture), '?' (neither).
using Mask = std::vector<std::string>;

inline Mask UniformMask(int32_t W, int32_t H, char c) { return Mask(size_t(H), std::string(size_t(W), c)); }

// Pixels that tell which picture and which position they came from.
inline uint32_t OldPixel(int32_t x, int32_t y) { return 0x01000000u | uint32_t(y) << 12 | uint32_t(x); }
inline uint32_t NewPixel(int32_t x, int32_t y) { return 0x02000000u | uint32_t(y) << 12 | uint32_t(x); }

inline void FillWith(raster::Bitmap& b, uint32_t (*pixel)(int32_t, int32_t)) {
  for (int32_t y = 0; y < b.Height(); ++y)
    for (int32_t x = 0; x < b.Width(); ++x) b.SetPixel(x, y, pixel(x, y));
}

// Runs the procedure of `style` on a W x H display of the old picture, with
// the new picture's handle (picture seed) `seed`, and reads the frame back.
// Checks the contract on the way: no clip left behind, the new picture intact.
inline Mask RunStyle(int32_t style, int32_t W, int32_t H, int32_t X, int32_t Y, int32_t Progress,
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

// The shared generator's step written out: state x 134775813 + 1 modulo 2^32,
// the draw (state x n) shr 32.
inline uint32_t NextState(uint32_t state) { return state * 134775813u + 1u; }
inline int32_t DrawOf(uint32_t state, int32_t n) { return n <= 0 ? 0 : int32_t((uint64_t{state} * uint32_t(n)) >> 32); }
inline uint32_t StateAfter(uint32_t state, int64_t steps) {
  for (int64_t i = 0; i < steps; ++i) state = NextState(state);
  return state;
}

using Vertices = std::vector<int32_t>;  // x0, y0, x1, y1, ...

inline bool InsidePolygon(const Vertices& v, int32_t x, int32_t y) {
  const size_t n = v.size() / 2;
  int winding = 0;
  for (size_t i = 0; i < n; ++i) {
    int64_t ax = v[2 * i], ay = v[2 * i + 1], bx = v[2 * ((i + 1) % n)], by = v[2 * ((i + 1) % n) + 1];
    if (ay == by) continue;
    const int direction = ay < by ? 1 : -1;
    if (ay > by) { std::swap(ax, bx); std::swap(ay, by); }
    if (y < ay || y >= by) continue;  // the centre line y + 0.5 misses the edge
    // crossing x = ax + (2 (y - ay) + 1) (bx - ax) / (2 (by - ay)); centre x + 0.5 at or right of it
    if ((2 * x + 1 - 2 * ax) * (by - ay) >= (2 * (y - ay) + 1) * (bx - ax)) winding += direction;
  }
  return winding != 0;
}

enum class Op { Union, Xor };
struct Part {
  Op op;
  Vertices polygon;
};
struct Shape {
  bool startsWithPicture = false;  // exclusive-or shapes start from the rectangle (0, 0, W, H)
  std::vector<Part> parts;
};

inline Shape UnionOf(std::vector<Vertices> polygons) {
  Shape s;
  for (auto& p : polygons) s.parts.push_back({Op::Union, std::move(p)});
  return s;
}

inline Shape PictureXor(std::vector<Vertices> polygons) {
  Shape s{true, {}};
  for (auto& p : polygons) s.parts.push_back({Op::Xor, std::move(p)});
  return s;
}

inline Mask MaskOf(const Shape& shape, int32_t W, int32_t H) {
  Mask mask = UniformMask(W, H, '.');
  for (int32_t y = 0; y < H; ++y)
    for (int32_t x = 0; x < W; ++x) {
      bool in = shape.startsWithPicture;
      for (const Part& p : shape.parts) {
        const bool inPart = InsidePolygon(p.polygon, x, y);
        in = p.op == Op::Union ? (in || inPart) : (in != inPart);
      }
      if (in) mask[size_t(y)][size_t(x)] = '#';
    }
  return mask;
}

// The frame of `style` with the view's extents for the progress.
inline Mask FrameAt(int32_t style, int32_t W, int32_t H, int32_t Progress, uint32_t seed = 0x5EEDu) {
  const effects::ProgressExtent e = effects::ExtentFor(W, H, Progress);
  return RunStyle(style, W, H, e.X, e.Y, Progress, seed);
}

}  // namespace polygon_mask_test
