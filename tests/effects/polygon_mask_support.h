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
#include "frame_mask_support.h"
#include "platform/raster/bitmap.h"
#include "platform/raster/muldiv.h"

namespace polygon_mask_test {

using namespace frame_mask_test;

using Vertices = std::vector<int32_t>;  // x0, y0, x1, y1, ...

inline bool InsidePolygon(const Vertices& v, int32_t x, int32_t y) {
  const size_t n = v.size() / 2;
  int winding = 0;
  for (size_t i = 0; i < n; ++i) {
    int64_t ax = v[2 * i], ay = v[2 * i + 1], bx = v[2 * ((i + 1) % n)], by = v[2 * ((i + 1) % n) + 1];
    if (ay == by) continue;
    const int direction = ay < by ? 1 : -1;
    if (ay > by) {
      std::swap(ax, bx);
      std::swap(ay, by);
    }
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
