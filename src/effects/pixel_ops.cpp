#include "effects/pixel_ops.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "effects/channel_blend.h"
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
  // Blending a block into itself changes nothing.
  if (Width <= 0 || Height <= 0 || &dstBitmap == &srcBitmap) return;
  const auto Weight = static_cast<uint16_t>(raster::MulDiv(256, Transparency, 100));
  const ChannelWeights weights{Weight, Weight, Weight, 0};
  // Memory order: the block's bottom row comes first. Full-width blocks are
  // one contiguous run in both bitmaps.
  const int32_t bottom = Y + Height - 1;
  if (X == 0 && Width == dstBitmap.Width()) {
    BlendChannels(dstBitmap.Row(bottom), srcBitmap.Row(bottom), size_t(Width) * size_t(Height), weights);
    return;
  }
  for (int32_t y = bottom; y >= Y; --y) {
    BlendChannels(dstBitmap.Row(y) + X, srcBitmap.Row(y) + X, size_t(Width), weights);
  }
}

namespace {

// Floor and ceiling of n / d for d != 0.
int64_t FloorDiv(int64_t n, int64_t d) {
  const int64_t q = n / d;
  return (n % d != 0 && ((n < 0) != (d < 0))) ? q - 1 : q;
}
int64_t CeilDiv(int64_t n, int64_t d) { return -FloorDiv(-n, d); }

// Columns range [first, last] (possibly empty) of the integers x for which
// lo <= a * x + b <= hi.
struct ColumnRange {
  int64_t first, last;
};
ColumnRange SolveLinear(int64_t a, int64_t b, int64_t lo, int64_t hi) {
  if (a == 0) return (lo <= b && b <= hi) ? ColumnRange{INT64_MIN / 4, INT64_MAX / 4} : ColumnRange{1, 0};
  if (a > 0) return {CeilDiv(lo - b, a), FloorDiv(hi - b, a)};
  return {CeilDiv(hi - b, a), FloorDiv(lo - b, a)};
}

// The pixel loop exactly as stated: every pixel, source coordinates in 32-bit
// two's-complement arithmetic, bounds tested per pixel. Used when the
// products could wrap (pictures of about 32000 pixels in width plus height).
void MergeRotateWrapping(uint32_t* dst, const uint32_t* src, int32_t W, int32_t H, int32_t xOrg, int32_t yOrg,
                         int32_t iSin, int32_t iCos) {
  const auto wrap = [](int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); };
  for (int32_t r = H - 1; r >= 0; --r) {
    const int32_t yP = r - yOrg + 1;
    for (int32_t x = W - 1; x >= 0; --x) {
      const int32_t xP = x - xOrg + 1;
      const int32_t xs = (wrap(int64_t{xP} * iCos - int64_t{yP} * iSin) >> 16) + xOrg;
      const int32_t rs = (wrap(int64_t{xP} * iSin + int64_t{yP} * iCos) >> 16) + yOrg;
      if (xs >= 0 && xs < W && rs >= 0 && rs < H) dst[size_t(r) * W + x] = src[size_t(rs) * W + xs];
    }
  }
}

}  // namespace

void MergeRotate(raster::Bitmap& dstBitmap, const raster::Bitmap& srcBitmap, int32_t xOrg, int32_t yOrg,
                 long double Angle) {
  const int32_t iSin = static_cast<int32_t>(std::sin(-Angle) * 65536.0L);
  const int32_t iCos = static_cast<int32_t>(std::cos(-Angle) * 65536.0L);
  const int32_t W = srcBitmap.Width(), H = srcBitmap.Height();
  const uint32_t* src = srcBitmap.Bits();  // row r (from the bottom) starts at r * W
  uint32_t* dst = dstBitmap.Bits();
  // xP and yP reach at most these magnitudes; while the sums of products stay
  // inside 32 bits, the source position moves linearly along a row and the
  // columns whose source lies inside form one range, found per row. A bitmap
  // turned into itself depends on the stated pixel order: it keeps the plain loop.
  const int64_t maxXP = std::max(std::abs(int64_t{1} - xOrg), std::abs(int64_t{W} - xOrg));
  const int64_t maxYP = std::max(std::abs(int64_t{1} - yOrg), std::abs(int64_t{H} - yOrg));
  if ((maxXP + maxYP) * 65536 > INT32_MAX || dst == src) {
    MergeRotateWrapping(dst, src, W, H, xOrg, yOrg, iSin, iCos);
    return;
  }
  // Source rows by number, so that the loop below needs no multiplication.
  std::vector<const uint32_t*> sourceRow(static_cast<size_t>(H));
  for (int32_t rs = 0; rs < H; ++rs) sourceRow[size_t(rs)] = src + size_t(rs) * W;
  // xs = floor(uX / 65536) + xOrg with uX = iCos * x + uX0, inside when
  // -xOrg * 65536 <= uX <= (W - xOrg) * 65536 - 1; likewise rs with uR.
  const int64_t xLo = -int64_t{xOrg} * 65536, xHi = (int64_t{W} - xOrg) * 65536 - 1;
  const int64_t rLo = -int64_t{yOrg} * 65536, rHi = (int64_t{H} - yOrg) * 65536 - 1;
  for (int32_t r = H - 1; r >= 0; --r) {
    const int32_t yP = r - yOrg + 1;
    const int32_t uX0 = (1 - xOrg) * iCos - yP * iSin;
    const int32_t uR0 = (1 - xOrg) * iSin + yP * iCos;
    const ColumnRange inX = SolveLinear(iCos, uX0, xLo, xHi);
    const ColumnRange inR = SolveLinear(iSin, uR0, rLo, rHi);
    const int32_t first = static_cast<int32_t>(std::max({inX.first, inR.first, int64_t{0}}));
    const int32_t last = static_cast<int32_t>(std::min({inX.last, inR.last, int64_t{W} - 1}));
    if (first > last) continue;
    uint32_t* row = dst + size_t(r) * W;
    // Adding xOrg * 65536 (yOrg * 65536) before the shift yields xs (rs) itself.
    int64_t uX = int64_t{iCos} * first + uX0 + int64_t{xOrg} * 65536;
    int64_t uR = int64_t{iSin} * first + uR0 + int64_t{yOrg} * 65536;
    for (int32_t x = first; x <= last; ++x, uX += iCos, uR += iSin)
      row[x] = sourceRow[size_t(uR >> 16)][uX >> 16];
  }
}

}  // namespace effects
