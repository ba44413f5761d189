#pragma once
#include <cstdint>

namespace raster {

// Rectangles follow the platform convention: right and bottom are outside.
struct Rect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  constexpr int32_t width() const { return right - left; }
  constexpr int32_t height() const { return bottom - top; }
  constexpr bool empty() const { return left >= right || top >= bottom; }
  friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

struct Point {
  int32_t x = 0, y = 0;
  friend constexpr bool operator==(const Point&, const Point&) = default;
};

constexpr Rect Intersect(const Rect& a, const Rect& b) {
  Rect r{a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top, a.right < b.right ? a.right : b.right,
         a.bottom < b.bottom ? a.bottom : b.bottom};
  return r.empty() ? Rect{} : r;
}

}  // namespace raster
