#include "effects/pixel_ops.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/raster/muldiv.h"

namespace effects {

namespace {

inline uint8_t Clamp255(int32_t v) { return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); }

// Adds delta to red, green and blue of `count` pixels; the reserved byte stays.
inline void Shade(raster::TRGBQuad* p, int32_t count, int32_t delta) {
  for (int32_t i = 0; i < count; ++i) {
    p[i].rgbRed = Clamp255(p[i].rgbRed + delta);
    p[i].rgbGreen = Clamp255(p[i].rgbGreen + delta);
    p[i].rgbBlue = Clamp255(p[i].rgbBlue + delta);
  }
}

// Per-column deltas of the horizontal roll shading, columns 1..Size.
std::vector<int32_t> HReflectTable(int32_t Amount, int32_t Size) {
  const int32_t Middle = Size / 2;
  std::vector<int32_t> d(size_t(Size) + 1);
  int32_t v = -Amount;
  if (Amount > Middle) {
    int32_t S = Amount / Middle;
    for (int32_t k = 1; k <= Size; ++k) {
      d[size_t(k)] = v;
      v += S;
      if (k == Middle) S = -S;
    }
  } else {
    const int32_t S = Middle / Amount;
    int32_t J = S;
    for (int32_t k = 1; k <= Size; ++k) {
      d[size_t(k)] = v;
      if (k == J) {
        J += S;
        v += k < Middle ? 1 : -1;
      }
    }
  }
  return d;
}

}  // namespace

void ApplyHReflect(raster::Bitmap& Bitmap, uint8_t Amount, int32_t Pos, int32_t Size) {
  if (Size < 2 || Amount == 0) return;
  const std::vector<int32_t> d = HReflectTable(Amount, Size);
  for (int32_t y = 0; y < Bitmap.Height(); ++y) {
    raster::TRGBQuad* row = Bitmap.ScanLine(y) + Pos;
    for (int32_t k = 1; k <= Size; ++k) Shade(row + k - 1, 1, d[size_t(k)]);
  }
}

void ApplyVReflect(raster::Bitmap& Bitmap, uint8_t Amount, int32_t Pos, int32_t Size) {
  if (Size < 2 || Amount == 0) return;
  const int32_t Middle = Size / 2;
  const int32_t Jump = Amount > Middle ? 1 : Middle / Amount;
  const int32_t Step = Amount > Middle ? Amount / Middle : 1;
  int32_t v = -Amount, J = Jump;
  for (int32_t k = 1; k <= Size; ++k) {
    Shade(Bitmap.ScanLine(Pos + Size - k), Bitmap.Width(), v);
    if (k == J) {
      v += k < Middle ? Step : -Step;
      J += Jump;
    }
  }
}

void MergeTransparent(raster::Bitmap& dstBitmap, const raster::Bitmap& srcBitmap, int32_t Transparency,
                      int32_t X, int32_t Y, int32_t Width, int32_t Height) {
  const int32_t Weight = raster::MulDiv(256, Transparency, 100);
  const size_t bytes = size_t(std::max(Width, 0)) * 4;
  for (int32_t y = Y + Height - 1; y >= Y; --y) {
    uint8_t* d = reinterpret_cast<uint8_t*>(dstBitmap.ScanLine(y) + X);
    const uint8_t* s = reinterpret_cast<const uint8_t*>(srcBitmap.ScanLine(y) + X);
    // d + floor((s - d) * Weight / 256) on blue, green and red; the arithmetic
    // shift floors, and the result always lies between d and s.
    for (size_t i = 0; i < bytes; i += 4) {
      for (size_t c = 0; c < 3; ++c) {
        d[i + c] = static_cast<uint8_t>(d[i + c] + (((s[i + c] - d[i + c]) * Weight) >> 8));
      }
    }
  }
}

void MergeRotate(raster::Bitmap& dstBitmap, const raster::Bitmap& srcBitmap, int32_t xOrg, int32_t yOrg,
                 long double Angle) {
  const int32_t iSin = static_cast<int32_t>(std::sin(-Angle) * 65536.0L);
  const int32_t iCos = static_cast<int32_t>(std::cos(-Angle) * 65536.0L);
  const int32_t W = srcBitmap.Width(), H = srcBitmap.Height();
  const uint32_t* src = srcBitmap.Bits();  // row r (from the bottom) starts at r * W
  uint32_t* dst = dstBitmap.Bits();
  for (int32_t r = H - 1; r >= 0; --r) {
    const int32_t yP = r - yOrg + 1;
    // The products wrap as 32-bit values would; W + H stays far below overflow in practice.
    const int32_t rowX = static_cast<int32_t>(0u - static_cast<uint32_t>(yP) * static_cast<uint32_t>(iSin));
    const int32_t rowR = static_cast<int32_t>(static_cast<uint32_t>(yP) * static_cast<uint32_t>(iCos));
    for (int32_t x = W - 1; x >= 0; --x) {
      const int32_t xP = x - xOrg + 1;
      const int32_t xs = (static_cast<int32_t>(static_cast<uint32_t>(xP) * static_cast<uint32_t>(iCos) +
                                               static_cast<uint32_t>(rowX)) >> 16) + xOrg;
      const int32_t rs = (static_cast<int32_t>(static_cast<uint32_t>(xP) * static_cast<uint32_t>(iSin) +
                                               static_cast<uint32_t>(rowR)) >> 16) + yOrg;
      if (xs >= 0 && xs < W && rs >= 0 && rs < H) dst[size_t(r) * W + x] = src[size_t(rs) * W + xs];
    }
  }
}

}  // namespace effects
