#pragma once
// Helpers for the wipe, unroll and push tests: pictures whose every pixel
// names its picture and position, and an expected frame built from the copies
// a style should make, checked pixel by pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "effects/catalogue.h"
#include "platform/raster/bitmap.h"

namespace wipes_test {

enum class Pic : uint8_t { Old = 0xA0, New = 0xB0 };

// Pixel value naming picture `pic` at (x, y): the tag in the reserved byte,
// y in bits 12..23 and x in bits 0..11 (pictures up to 4096 × 4096).
inline uint32_t Encode(Pic pic, int32_t x, int32_t y) { return uint32_t(pic) << 24 | uint32_t(y) << 12 | uint32_t(x); }

inline void FillEncoded(raster::Bitmap& b, Pic pic) {
  for (int32_t y = 0; y < b.Height(); ++y) {
    for (int32_t x = 0; x < b.Width(); ++x) b.SetPixel(x, y, Encode(pic, x, y));
  }
}

inline std::string Describe(uint32_t v) {
  std::ostringstream s;
  const uint32_t tag = v >> 24;
  s << (tag == uint32_t(Pic::Old)   ? "old"
        : tag == uint32_t(Pic::New) ? "new"
                                    : "?")
    << "(" << (v & 0xFFF) << "," << (v >> 12 & 0xFFF) << ")";
  return s.str();
}

// A copy onto the frame, from the new picture or (for the pushes) from the old
// one as it stood on entry: S(xd, yd, wd, hd <- xs, ys, ws, hs) in the
// notation of the style tables. A negative wd or hd mirrors; equal sizes make
// a block copy.
struct Copy {
  Pic pic;
  int32_t xd, yd, wd, hd, xs, ys, ws, hs;
};
inline Copy B(int32_t xd, int32_t yd, int32_t w, int32_t h, int32_t xs, int32_t ys) {
  return {Pic::New, xd, yd, w, h, xs, ys, w, h};
}
inline Copy S(int32_t xd, int32_t yd, int32_t wd, int32_t hd, int32_t xs, int32_t ys, int32_t ws, int32_t hs) {
  return {Pic::New, xd, yd, wd, hd, xs, ys, ws, hs};
}
inline Copy OldB(int32_t xd, int32_t yd, int32_t w, int32_t h, int32_t xs, int32_t ys) {
  return {Pic::Old, xd, yd, w, h, xs, ys, w, h};
}
inline Copy OldS(int32_t xd, int32_t yd, int32_t wd, int32_t hd, int32_t xs, int32_t ys, int32_t ws, int32_t hs) {
  return {Pic::Old, xd, yd, wd, hd, xs, ys, ws, hs};
}

// What one pixel of the frame may be: a pixel of `pic` whose column lies in
// x0..x1 and row in y0..y1. A block copy pins one source pixel; a scaled copy
// allows any source pixel that the destination pixel's footprint touches, so
// the check does not depend on which nearest pixel the raster picks.
struct Allowed {
  Pic pic;
  int32_t x0, x1, y0, y1;
};

class ExpectedFrame {
 public:
  // Starts as the old picture in place.
  ExpectedFrame(int32_t W, int32_t H) : W_(W), H_(H) {
    for (int32_t y = 0; y < H; ++y) {
      for (int32_t x = 0; x < W; ++x) at_.push_back({Pic::Old, x, x, y, y});
    }
  }

  // Applies the copy; destination pixels outside the frame, and those whose
  // source lies wholly outside the picture, are left as they are.
  void Apply(const Copy& c) {
    if (c.wd == 0 || c.hd == 0 || c.ws == 0 || c.hs == 0) return;
    for (int32_t y = 0; y < H_; ++y) {
      int32_t sy0, sy1;
      if (!Footprint(y, c.yd, c.hd, c.ys, c.hs, H_, sy0, sy1)) continue;
      for (int32_t x = 0; x < W_; ++x) {
        int32_t sx0, sx1;
        if (!Footprint(x, c.xd, c.wd, c.xs, c.ws, W_, sx0, sx1)) continue;
        at_[size_t(y) * W_ + x] = {c.pic, sx0, sx1, sy0, sy1};
      }
    }
  }

  ::testing::AssertionResult Matches(const raster::Bitmap& frame) const {
    int mismatches = 0;
    std::ostringstream report;
    for (int32_t y = 0; y < H_; ++y) {
      for (int32_t x = 0; x < W_; ++x) {
        const uint32_t v = frame.Pixel(x, y);
        const Allowed& a = at_[size_t(y) * W_ + x];
        const int32_t vx = int32_t(v & 0xFFF), vy = int32_t(v >> 12 & 0xFFF);
        if (v >> 24 == uint32_t(a.pic) && a.x0 <= vx && vx <= a.x1 && a.y0 <= vy && vy <= a.y1) continue;
        if (++mismatches <= 8) {
          report << "\n  pixel (" << x << "," << y << ") is " << Describe(v) << ", expected "
                 << (a.pic == Pic::Old ? "old" : "new") << " x " << a.x0 << ".." << a.x1 << " y " << a.y0 << ".."
                 << a.y1;
        }
      }
    }
    if (mismatches == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << mismatches << " pixels differ:" << report.str();
  }

 private:
  // Source range along one axis for destination position p of a copy whose
  // destination starts at d with signed length dn, from source s of length sn.
  static bool Footprint(int32_t p, int32_t d, int32_t dn, int32_t s, int32_t sn, int32_t limit, int32_t& lo,
                        int32_t& hi) {
    const int64_t n = dn < 0 ? -int64_t{dn} : dn;
    const int64_t i = dn > 0 ? int64_t{p} - d : int64_t{d} - p;  // step from the copy's start
    if (i < 0 || i >= n) return false;
    const int64_t from = s + i * sn / n;
    const int64_t to = s + ((i + 1) * sn + n - 1) / n - 1;
    if (to < 0 || from >= limit) return false;
    lo = int32_t(std::max<int64_t>(from, 0));
    hi = int32_t(std::min<int64_t>(to, limit - 1));
    return true;
  }

  int32_t W_, H_;
  std::vector<Allowed> at_;
};

// A frame drawn by calling a style's procedure directly with chosen extents,
// over the encoded old picture, from the encoded new picture.
struct DrawnFrame {
  raster::Bitmap display, image;
  DrawnFrame(int32_t W, int32_t H) : display(W, H), image(W, H) {
    FillEncoded(display, Pic::Old);
    FillEncoded(image, Pic::New);
  }
  void Draw(int32_t style, int32_t X, int32_t Y, int32_t progress = 50) {
    effects::VantrelEffects[style].Proc(display, image, display.Width(), display.Height(), X, Y, progress);
  }
};

// One frame of a style at chosen extents and the copies it must make.
struct WipeCase {
  int32_t style, W, H, X, Y;
  std::vector<Copy> copies;
};

inline void PrintTo(const WipeCase& c, std::ostream* os) {
  *os << "style " << c.style << " on " << c.W << "x" << c.H << " at X=" << c.X << " Y=" << c.Y;
}

inline ::testing::AssertionResult DrawsExactly(const WipeCase& c) {
  DrawnFrame frame(c.W, c.H);
  frame.Draw(c.style, c.X, c.Y);
  ExpectedFrame expected(c.W, c.H);
  for (const Copy& copy : c.copies) expected.Apply(copy);
  return expected.Matches(frame.display);
}

inline ::testing::AssertionResult FrameIsWholePicture(const raster::Bitmap& frame, Pic pic) {
  ExpectedFrame expected(frame.Width(), frame.Height());
  expected.Apply({pic, 0, 0, frame.Width(), frame.Height(), 0, 0, frame.Width(), frame.Height()});
  return expected.Matches(frame);
}

}  // namespace wipes_test
