#include "effects/pixel_ops.h"

#include <algorithm>
#include <array>
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

// The columns first .. last of one destination row whose source lies
// inside, and the 16.16 source position (uX, uR) at column 0.
struct RowSpan {
  int32_t first, last;
  int64_t uX, uR;
};

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
// The pixel offset, rounded, from a source position to the one the same
// column reads four destination rows later: rows are done top row first, and
// each row's source positions lie a step (iSin, -iCos) on from the row
// before's. A row reads a few pixels from each of hundreds of source rows, so
// what the next rows need has left the first-level cache when they come;
// prefetching the lines four rows on while passing by hides most of that wait.
ptrdiff_t FourRowsOn(int32_t W, int32_t iCos, int32_t iSin) {
  return ptrdiff_t{(4 * iSin + 32768) >> 16} - ptrdiff_t{(4 * iCos + 32768) >> 16} * W;
}

// Asks for the cache line `offset` pixels from `at`; it may lie outside the
// bitmap (a prefetch never faults), hence the address arithmetic on integers.
inline void PrefetchNear(const uint32_t* at, ptrdiff_t offset) {
  _mm_prefetch(reinterpret_cast<const char*>(reinterpret_cast<uintptr_t>(at) + uintptr_t(offset) * 4u), _MM_HINT_T0);
}

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
  const ptrdiff_t ahead = FourRowsOn(W, iCos, iSin);
  for (; x + 8 <= last + 1; x += 8) {
    const __m256i index =
        _mm256_add_epi32(_mm256_mullo_epi32(_mm256_srai_epi32(vr, 16), width), _mm256_srai_epi32(vx, 16));
    PrefetchNear(src + uint32_t(_mm256_cvtsi256_si32(index)), ahead);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(row + x), _mm256_i32gather_epi32(base, index, 4));
    vx = _mm256_add_epi32(vx, stepX);
    vr = _mm256_add_epi32(vr, stepR);
  }
  const int32_t done = x - first;
  RotateRowScalar(row, src, W, x, last, uX + done * iCos, uR + done * iSin, iCos, iSin);
}

// At small angles (|sin| <= 3/7, cos >= 0) eight neighbouring positions lie
// in eight columns c0 .. c0 + 7 of four rows r0 .. r0 +- 3, where (c0, r0) is
// the first one. Those four rows of eight pixels, two to a register, make a
// 32-entry table, and one two-register permute picks all eight: four plain
// loads and a permute cost less than a gather of eight. `kRowsDown` when the
// rows fall along the row (iSin < 0): the table then holds r0, r0 - 1, ...
//
// Writes `groups` groups of eight from row[0] on; the first position is
// (uX, uR). Every table row must lie inside the source: r0 .. r0 + 3 (down:
// r0 - 3 .. r0) within rows 0 .. H - 2, so that the eight columns from c0
// never run past the end of the bitmap.
//
// GCC 12 takes the undefined upper half of a widened register for an
// uninitialised variable (its bug 105593); nothing here reads that half.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
template <bool kRowsDown>
__attribute__((target("avx2,avx512f"))) void RotateGroupsByTable(uint32_t* row, const uint32_t* src, int32_t W,
                                                                 int32_t groups, int32_t uX, int32_t uR, int32_t iCos,
                                                                 int32_t iSin) {
  const __m256i lane = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
  __m256i vx = _mm256_add_epi32(_mm256_set1_epi32(uX), _mm256_mullo_epi32(lane, _mm256_set1_epi32(iCos)));
  __m256i vr = _mm256_add_epi32(_mm256_set1_epi32(uR), _mm256_mullo_epi32(lane, _mm256_set1_epi32(iSin)));
  const __m256i stepX = _mm256_set1_epi32(iCos * 8), stepR = _mm256_set1_epi32(iSin * 8);
  // Each lane packed as the 16-bit pair (row, column) — both under 32768 on
  // this path — one multiply-add gives row * W + column, another the table
  // entry column +- 8 * row, taken relative to lane 0's.
  const __m256i toIndex = _mm256_set1_epi32(int32_t(uint32_t(W) | 1u << 16));
  const __m256i toEntry = _mm256_set1_epi32(int32_t(uint32_t(uint16_t(kRowsDown ? -8 : 8)) | 1u << 16));
  const ptrdiff_t nextRow = kRowsDown ? -ptrdiff_t{W} : ptrdiff_t{W};
  const ptrdiff_t ahead = FourRowsOn(W, iCos, iSin);
  for (int32_t g = 0; g < groups; ++g) {
    const __m256i rowAndColumn = _mm256_blend_epi16(_mm256_srli_epi32(vr, 16), vx, 0xAA);
    const __m256i index = _mm256_madd_epi16(rowAndColumn, toIndex);
    const __m256i entry = _mm256_madd_epi16(rowAndColumn, toEntry);
    const uint32_t* window = src + uint32_t(_mm256_cvtsi256_si32(index));
    const __m512i near =
        _mm512_inserti64x4(_mm512_castsi256_si512(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(window))),
                           _mm256_loadu_si256(reinterpret_cast<const __m256i*>(window + nextRow)), 1);
    const __m512i far = _mm512_inserti64x4(
        _mm512_castsi256_si512(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(window + 2 * nextRow))),
        _mm256_loadu_si256(reinterpret_cast<const __m256i*>(window + 3 * nextRow)), 1);
    PrefetchNear(window, ahead);
    const __m256i pick = _mm256_sub_epi32(entry, _mm256_broadcastd_epi32(_mm256_castsi256_si128(entry)));
    const __m512i picked = _mm512_permutex2var_epi32(near, _mm512_castsi256_si512(pick), far);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(row + 8 * g), _mm512_castsi512_si256(picked));
    vx = _mm256_add_epi32(vx, stepX);
    vr = _mm256_add_epi32(vr, stepR);
  }
}
#pragma GCC diagnostic pop

const bool kRotateWithAvx2 = [] {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") != 0;
}();

const bool kRotateWithAvx512 = [] {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx512f") != 0;
}();

// Whether RotateGroupsByTable serves: eight neighbouring positions always lie
// within 7 columns and 3 rows of the first, and rows and columns fit its
// signed 16-bit pairs.
bool FitsTable(int32_t W, int32_t H, int32_t iCos, int32_t iSin) {
  return kRotateWithAvx512 && W < 32768 && H < 32768 && iCos >= 0 && iCos <= 65536 &&
         7 * int64_t{std::abs(iSin)} <= 3 * 65536;
}

// The row as RotateRowAvx2 would write it, with the run of groups whose table
// rows lie inside the source done by RotateGroupsByTable.
void RotateRowByTable(uint32_t* row, const uint32_t* src, int32_t W, int32_t H, int32_t first, int32_t last, int32_t uX,
                      int32_t uR, int32_t iCos, int32_t iSin) {
  // Groups starting at first + k, for k with the first row r0 = (uR + k *
  // iSin) >> 16 in 0 .. H - 5 (rows down: 3 .. H - 2).
  const int64_t rLo = iSin >= 0 ? 0 : int64_t{3} * 65536;
  const int64_t rHi = (iSin >= 0 ? int64_t{H} - 4 : int64_t{H} - 1) * 65536 - 1;
  const ColumnRange safe = SolveLinear(iSin, uR, rLo, rHi);
  const int64_t from = std::max<int64_t>(safe.first, 0), to = std::min<int64_t>(safe.last, int64_t{last} - first - 7);
  if (from > to) {
    RotateRowAvx2(row, src, W, first, last, uX, uR, iCos, iSin);
    return;
  }
  const auto start = static_cast<int32_t>(from);
  const auto groups = static_cast<int32_t>((to - from) / 8 + 1);
  const int32_t end = first + start + 8 * groups;  // first column after the groups
  if (start > 0) RotateRowAvx2(row, src, W, first, first + start - 1, uX, uR, iCos, iSin);
  const int32_t uXStart = uX + start * iCos, uRStart = uR + start * iSin;
  if (iSin >= 0) {
    RotateGroupsByTable<false>(row + first + start, src, W, groups, uXStart, uRStart, iCos, iSin);
  } else {
    RotateGroupsByTable<true>(row + first + start, src, W, groups, uXStart, uRStart, iCos, iSin);
  }
  if (end <= last)
    RotateRowAvx2(row, src, W, end, last, uX + (end - first) * iCos, uR + (end - first) * iSin, iCos, iSin);
}
#endif

void RotateRow(uint32_t* row, const uint32_t* src, int32_t W, int32_t H, int32_t first, int32_t last, int32_t uX,
               int32_t uR, int32_t iCos, int32_t iSin) {
#ifdef VANTREL_ROTATE_AVX2
  if (FitsTable(W, H, iCos, iSin)) {
    RotateRowByTable(row, src, W, H, first, last, uX, uR, iCos, iSin);
    return;
  }
  if (kRotateWithAvx2) {
    RotateRowAvx2(row, src, W, first, last, uX, uR, iCos, iSin);
    return;
  }
#else
  (void)H;
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
  const auto spanOf = [&](int32_t r) {
    const int32_t yP = r - yOrg + 1;
    const int32_t uX0 = (1 - xOrg) * iCos - yP * iSin;
    const int32_t uR0 = (1 - xOrg) * iSin + yP * iCos;
    const ColumnRange inX = SolveLinear(iCos, uX0, xLo, xHi);
    const ColumnRange inR = SolveLinear(iSin, uR0, rLo, rHi);
    // Adding xOrg * 65536 (yOrg * 65536) before the shift yields xs (rs) itself.
    return RowSpan{static_cast<int32_t>(std::max({inX.first, inR.first, int64_t{0}})),
                   static_cast<int32_t>(std::min({inX.last, inR.last, int64_t{W} - 1})), uX0 + int64_t{xOrg} * 65536,
                   uR0 + int64_t{yOrg} * 65536};
  };
  // One destination row reads a few pixels from each of hundreds of source
  // rows, and the next rows read mostly the same cache lines again. Done in
  // bands of rows, each band in strips of at most kMaxStrip columns, those
  // lines stay close at hand from one row to the next; the lines of whole
  // rows of a wide frame outgrow the first-level cache.
  constexpr int32_t kBandRows = 32, kMaxStrip = 1024;
  const int32_t strips = (W + kMaxStrip - 1) / kMaxStrip;
  const int32_t stripWidth = (W + strips - 1) / strips;
  std::array<RowSpan, kBandRows> spans;
  for (int32_t top = H - 1; top >= 0; top -= kBandRows) {
    const int32_t rows = std::min(kBandRows, top + 1);
    for (int32_t i = 0; i < rows; ++i) spans[size_t(i)] = spanOf(top - i);
    for (int32_t left = 0; left < W; left += stripWidth) {
      for (int32_t i = 0; i < rows; ++i) {
        const RowSpan& span = spans[size_t(i)];
        const int32_t first = std::max(span.first, left), last = std::min(span.last, left + stripWidth - 1);
        if (first > last) continue;
        const int64_t uX = int64_t{iCos} * first + span.uX, uR = int64_t{iSin} * first + span.uR;
        RotateRow(dst + size_t(top - i) * W, src, W, H, first, last, static_cast<int32_t>(uX), static_cast<int32_t>(uR),
                  iCos, iSin);
      }
    }
  }
}

}  // namespace effects
