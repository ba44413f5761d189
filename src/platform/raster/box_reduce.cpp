#include "platform/raster/box_reduce.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/raster/cpu_clones.h"

namespace raster {
namespace {

// Weights of one target pixel sum to this, so that a flat area stays exact.
constexpr int32_t kWeightOne = 1 << 14;

// Which source pixels (first, count) one target pixel covers along one axis,
// and their weights (in kWeightOne) in one flat list.
struct AxisCoverage {
  std::vector<int32_t> first, count, weightStart;
  std::vector<uint32_t> weights;
};

// Target pixel t covers [t × from, (t + 1) × from) and source pixel s covers
// [s × to, (s + 1) × to), both in units of 1 / (from × to) of the axis: the
// overlaps are whole numbers summing to `from` per target pixel.
AxisCoverage CoverAxis(int32_t from, int32_t to) {
  AxisCoverage c;
  for (int64_t t = 0; t < to; ++t) {
    const int64_t begin = t * from, end = (t + 1) * from;
    const int32_t first = int32_t(begin / to), last = int32_t((end - 1) / to);
    c.first.push_back(first);
    c.count.push_back(last - first + 1);
    c.weightStart.push_back(int32_t(c.weights.size()));
    uint32_t sum = 0, largest = 0;
    size_t largestAt = c.weights.size();
    for (int64_t s = first; s <= last; ++s) {
      const int64_t overlap = std::min(end, (s + 1) * to) - std::max(begin, s * to);
      const uint32_t w = uint32_t((overlap * kWeightOne + from / 2) / from);
      if (w > largest) largest = w, largestAt = c.weights.size();
      c.weights.push_back(w);
      sum += w;
    }
    // Rounding may leave the sum a little off: the largest weight takes it up.
    c.weights[largestAt] += uint32_t(kWeightOne) - sum;
  }
  return c;
}

// One source row reduced across: four channels per target pixel, each the
// mean × 256 (exact enough for the second pass, and it fits 16 bits).
// Weights are at most kWeightOne (2^14) and channels at most 255, so the
// signed 16-bit multiply-add of SSE2 takes two source pixels at a time,
// all four channels side by side, with the same sums as one by one.
void ReduceRow(const uint32_t* row, const AxisCoverage& across, std::vector<uint32_t>& out) {
  const size_t width = across.first.size();
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  for (size_t t = 0; t < width; ++t) {
    const uint32_t* p = row + across.first[t];
    const uint32_t* w = across.weights.data() + across.weightStart[t];
    const int32_t count = across.count[t];
    __m128i sum = zero;
    for (int32_t i = 0; i < count; i += 2) {
      const bool pair = i + 1 < count;
      // Bytes b0 b1 g0 g1 r0 r1 a0 a1, widened to 16 bits; weights w0 w1 alike.
      const __m128i two =
          _mm_unpacklo_epi8(_mm_cvtsi32_si128(int32_t(p[i])), _mm_cvtsi32_si128(pair ? int32_t(p[i + 1]) : 0));
      const __m128i weights = _mm_set1_epi32(int32_t(w[i] | (pair ? w[i + 1] << 16 : 0u)));
      sum = _mm_add_epi32(sum, _mm_madd_epi16(_mm_unpacklo_epi8(two, zero), weights));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out.data() + t * 4), _mm_srli_epi32(sum, 6));
  }
#else
  for (size_t t = 0; t < width; ++t) {
    const uint32_t* p = row + across.first[t];
    const uint32_t* w = across.weights.data() + across.weightStart[t];
    uint32_t b = 0, g = 0, r = 0, a = 0;
    for (int32_t i = 0; i < across.count[t]; ++i) {
      const uint32_t px = p[i], wi = w[i];
      b += (px & 0xFF) * wi;
      g += ((px >> 8) & 0xFF) * wi;
      r += ((px >> 16) & 0xFF) * wi;
      a += (px >> 24) * wi;
    }
    uint32_t* o = out.data() + t * 4;
    o[0] = b >> 6, o[1] = g >> 6, o[2] = r >> 6, o[3] = a >> 6;
  }
#endif
}

// sums[k] += kept[k] × weight, four lanes at a time (the products stay
// below 2^30: kept below 2^16, weight at most 2^14).
VANTREL_CPU_CLONES void AddWeightedRow(uint32_t* sums, const uint32_t* kept, size_t n, uint32_t weight) {
  typedef uint32_t U32x4 __attribute__((vector_size(16)));
  size_t k = 0;
  for (; k + 4 <= n; k += 4) {
    U32x4 s, v;
    std::memcpy(&s, sums + k, sizeof s);
    std::memcpy(&v, kept + k, sizeof v);
    s += v * weight;
    std::memcpy(sums + k, &s, sizeof s);
  }
  for (; k < n; ++k) sums[k] += kept[k] * weight;
}

}  // namespace

void BoxReduce(const Bitmap& source, Bitmap& target) {
  const int32_t W = source.Width(), H = source.Height(), w = target.Width(), h = target.Height();
  if (w > W || h > H) throw std::invalid_argument("BoxReduce: the target is larger than the source");
  if (target.Empty() || source.Empty()) return;
  const AxisCoverage across = CoverAxis(W, w), down = CoverAxis(H, h);
  // Neighbouring target rows share at most one source row: the row reduced
  // last is kept, so every source row is reduced across once.
  std::vector<uint32_t> reduced(size_t(w) * 4), kept(size_t(w) * 4), sums(size_t(w) * 4);
  int32_t keptRow = -1;
  for (int32_t y = 0; y < h; ++y) {
    std::fill(sums.begin(), sums.end(), 0u);
    const uint32_t* weights = down.weights.data() + down.weightStart[y];
    for (int32_t i = 0; i < down.count[y]; ++i) {
      const int32_t sourceRow = down.first[y] + i;
      if (sourceRow != keptRow) {
        ReduceRow(source.Row(sourceRow), across, reduced);
        std::swap(reduced, kept);
        keptRow = sourceRow;
      }
      AddWeightedRow(sums.data(), kept.data(), sums.size(), weights[i]);
    }
    uint32_t* out = target.Row(y);
    for (int32_t x = 0; x < w; ++x) {
      const uint32_t* s = sums.data() + size_t(x) * 4;
      auto channel = [](uint32_t sum) { return (sum + (1u << 21)) >> 22; };
      out[x] = channel(s[0]) | channel(s[1]) << 8 | channel(s[2]) << 16 | channel(s[3]) << 24;
    }
  }
}

}  // namespace raster
