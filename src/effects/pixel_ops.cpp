#include "effects/pixel_ops.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define VANTREL_ROTATE_AVX2 1
#endif

#include "effects/channel_blend.h"
#include "platform/raster/muldiv.h"

namespace effects {

namespace {

// Adding a delta to red, green and blue with the result clamped to 0..255 is
// a saturating byte add of max(delta, 0) followed by a saturating byte
// subtract of max(-delta, 0); the reserved byte gets 0 and stays. A delta
// beyond +-255 clamps every channel as +-255 does.
struct ShadeBytes {
  uint32_t add, sub;
};

ShadeBytes ShadeFor(int32_t delta) {
  const auto up = static_cast<uint32_t>(std::clamp(delta, 0, 255));
  const auto down = static_cast<uint32_t>(std::clamp(-delta, 0, 255));
  return {up * 0x010101u, down * 0x010101u};
}

inline uint32_t ShadePixel(uint32_t p, ShadeBytes s) {
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const int32_t c = int32_t(p >> shift & 0xFF) + int32_t(s.add >> shift & 0xFF) - int32_t(s.sub >> shift & 0xFF);
    out |= uint32_t(std::clamp(c, 0, 255)) << shift;
  }
  return out;
}

// Shades `count` pixels, all by `shade`, four at a time where SSE2 is there.
void ShadeRun(uint32_t* p, int32_t count, ShadeBytes shade) {
  int32_t i = 0;
#if defined(__SSE2__)
  const __m128i add = _mm_set1_epi32(int32_t(shade.add)), sub = _mm_set1_epi32(int32_t(shade.sub));
  for (; i + 4 <= count; i += 4) {
    __m128i* at = reinterpret_cast<__m128i*>(p + i);
    _mm_storeu_si128(at, _mm_subs_epu8(_mm_adds_epu8(_mm_loadu_si128(at), add), sub));
  }
#endif
  for (; i < count; ++i) p[i] = ShadePixel(p[i], shade);
}

// Shades `count` pixels, pixel i by adds[i] and subs[i] (a ShadeBytes pair
// kept in two arrays, so that four of each load at once).
void ShadeColumns(uint32_t* p, int32_t count, const uint32_t* adds, const uint32_t* subs) {
  int32_t i = 0;
#if defined(__SSE2__)
  for (; i + 4 <= count; i += 4) {
    const __m128i add = _mm_loadu_si128(reinterpret_cast<const __m128i*>(adds + i));
    const __m128i sub = _mm_loadu_si128(reinterpret_cast<const __m128i*>(subs + i));
    __m128i* at = reinterpret_cast<__m128i*>(p + i);
    _mm_storeu_si128(at, _mm_subs_epu8(_mm_adds_epu8(_mm_loadu_si128(at), add), sub));
  }
#endif
  for (; i < count; ++i) p[i] = ShadePixel(p[i], {adds[i], subs[i]});
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
  std::vector<uint32_t> adds(static_cast<size_t>(Size)), subs(static_cast<size_t>(Size));
  for (int32_t k = 1; k <= Size; ++k) {
    const ShadeBytes shade = ShadeFor(d[size_t(k)]);
    adds[size_t(k - 1)] = shade.add;
    subs[size_t(k - 1)] = shade.sub;
  }
  for (int32_t y = 0; y < Bitmap.Height(); ++y) ShadeColumns(Bitmap.Row(y) + Pos, Size, adds.data(), subs.data());
}

void ApplyVReflect(raster::Bitmap& Bitmap, uint8_t Amount, int32_t Pos, int32_t Size) {
  if (Size < 2 || Amount == 0) return;
  const int32_t Middle = Size / 2;
  const int32_t Jump = Amount > Middle ? 1 : Middle / Amount;
  const int32_t Step = Amount > Middle ? Amount / Middle : 1;
  int32_t v = -Amount, J = Jump;
  for (int32_t k = 1; k <= Size; ++k) {
    const ShadeBytes shade = ShadeFor(v);
    ShadeRun(Bitmap.Row(Pos + Size - k), Bitmap.Width(), shade);
    if (k == J) {
      v += k < Middle ? Step : -Step;
      J += Jump;
    }
  }
}

void MergeTransparent(raster::Bitmap& dstBitmap, const raster::Bitmap& srcBitmap, int32_t Transparency, int32_t X,
                      int32_t Y, int32_t Width, int32_t Height) {
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

// The plain pixel loop: every pixel, top row first and each row from right to
// left, source coordinates in 32-bit two's-complement arithmetic, bounds
// tested per pixel. Used when the
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

// One destination row of a turned copy: row[x] := the source pixel at
// column uX >> 16, row uR >> 16, for x in [first, last], uX and uR stepping
// by iCos and iSin. Every position lies inside the source, so the 16.16
// values are non-negative and fit in 32 bits.
void RotateRowScalar(uint32_t* row, const uint32_t* src, int32_t W, int32_t first, int32_t last, int32_t uX, int32_t uR,
                     int32_t iCos, int32_t iSin) {
  for (int32_t x = first; x <= last; ++x, uX += iCos, uR += iSin) {
    row[x] = src[size_t(uR >> 16) * size_t(W) + size_t(uX >> 16)];
  }
}

#ifdef VANTREL_ROTATE_AVX2
// The same, eight pixels per hardware gather. The pixel index row * W +
// column fits in 32 bits: this path is taken only when W + H stays under
// 32768.
__attribute__((target("avx2"))) void RotateRowAvx2(uint32_t* row, const uint32_t* src, int32_t W, int32_t first,
                                                   int32_t last, int32_t uX, int32_t uR, int32_t iCos, int32_t iSin) {
  int32_t x = first;
  const __m256i lane = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
  __m256i vx = _mm256_add_epi32(_mm256_set1_epi32(uX), _mm256_mullo_epi32(lane, _mm256_set1_epi32(iCos)));
  __m256i vr = _mm256_add_epi32(_mm256_set1_epi32(uR), _mm256_mullo_epi32(lane, _mm256_set1_epi32(iSin)));
  const __m256i stepX = _mm256_set1_epi32(iCos * 8), stepR = _mm256_set1_epi32(iSin * 8);
  const __m256i width = _mm256_set1_epi32(W);
  const auto* base = reinterpret_cast<const int*>(src);
  for (; x + 8 <= last + 1; x += 8) {
    const __m256i index =
        _mm256_add_epi32(_mm256_mullo_epi32(_mm256_srai_epi32(vr, 16), width), _mm256_srai_epi32(vx, 16));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(row + x), _mm256_i32gather_epi32(base, index, 4));
    vx = _mm256_add_epi32(vx, stepX);
    vr = _mm256_add_epi32(vr, stepR);
  }
  const int32_t done = x - first;
  RotateRowScalar(row, src, W, x, last, uX + done * iCos, uR + done * iSin, iCos, iSin);
}

const bool kRotateWithAvx2 = [] {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") != 0;
}();
#endif

void RotateRow(uint32_t* row, const uint32_t* src, int32_t W, int32_t first, int32_t last, int32_t uX, int32_t uR,
               int32_t iCos, int32_t iSin) {
#ifdef VANTREL_ROTATE_AVX2
  if (kRotateWithAvx2) {
    RotateRowAvx2(row, src, W, first, last, uX, uR, iCos, iSin);
    return;
  }
#endif
  RotateRowScalar(row, src, W, first, last, uX, uR, iCos, iSin);
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
  // turned into itself depends on the pixel order: it keeps the plain loop.
  const int64_t maxXP = std::max(std::abs(int64_t{1} - xOrg), std::abs(int64_t{W} - xOrg));
  const int64_t maxYP = std::max(std::abs(int64_t{1} - yOrg), std::abs(int64_t{H} - yOrg));
  if ((maxXP + maxYP) * 65536 > INT32_MAX || dst == src) {
    MergeRotateWrapping(dst, src, W, H, xOrg, yOrg, iSin, iCos);
    return;
  }
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
    const int64_t uX = int64_t{iCos} * first + uX0 + int64_t{xOrg} * 65536;
    const int64_t uR = int64_t{iSin} * first + uR0 + int64_t{yOrg} * 65536;
    RotateRow(row, src, W, first, last, static_cast<int32_t>(uX), static_cast<int32_t>(uR), iCos, iSin);
  }
}

}  // namespace effects
