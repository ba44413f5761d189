#include "platform/raster/pixel_gather.h"

#include <algorithm>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define VANTREL_GATHER_AVX2 1
#endif

namespace raster {

namespace {

void GatherScalar(uint32_t* d, const uint32_t* s, const int32_t* index, int32_t from, int32_t to, bool fromTheEnd) {
  if (fromTheEnd) {
    for (int32_t i = to - 1; i >= from; --i) d[i] = s[index[i]];
  } else {
    for (int32_t i = from; i < to; ++i) d[i] = s[index[i]];
  }
}

#ifdef VANTREL_GATHER_AVX2
// Eight destination pixels whose sources lie within 32 neighbouring source
// pixels (any scale from 4:1 shrinking to enlarging, mirrored or not) come
// from whole-vector loads of that window and lane permutations: one or two
// loads within 16 pixels, four within 32. Wider spreads, and blocks whose
// window would reach past the row's end, go pixel by pixel. The loads walk
// the source row front to back, so a strong shrink streams through memory
// as a copy does instead of waiting on one pixel at a time.
__attribute__((target("avx2"), always_inline)) inline __m256i Load8(const uint32_t* p) {
  return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

__attribute__((target("avx2"), always_inline)) inline __m256i Pick(__m256i a, __m256i b, __m256i offsets, int bit) {
  // Lanes whose offset has `bit` set take b; blendv looks at the sign bit.
  const __m256 select = _mm256_castsi256_ps(_mm256_slli_epi32(offsets, 31 - bit));
  return _mm256_castps_si256(_mm256_blendv_ps(_mm256_castsi256_ps(a), _mm256_castsi256_ps(b), select));
}

__attribute__((target("avx2"), always_inline)) inline void GatherBlock8(uint32_t* d, const uint32_t* s,
                                                                        const int32_t* index, int32_t sourceWidth,
                                                                        bool fromTheEnd) {
  const int32_t first = index[0], last = index[7];
  const int32_t base = std::min(first, last), spread = std::max(first, last) - base;
  const int32_t window = spread < 16 ? 16 : 32;
  if (spread >= 32 || base + window > sourceWidth) {
    GatherScalar(d, s, index, 0, 8, fromTheEnd);
    return;
  }
  const __m256i offsets =
      _mm256_sub_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(index)), _mm256_set1_epi32(base));
  const uint32_t* w = s + base;
  const __m256i low = Pick(_mm256_permutevar8x32_epi32(Load8(w + 0), offsets),
                           _mm256_permutevar8x32_epi32(Load8(w + 8), offsets), offsets, 3);
  if (window == 16) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d), low);
    return;
  }
  const __m256i high = Pick(_mm256_permutevar8x32_epi32(Load8(w + 16), offsets),
                            _mm256_permutevar8x32_epi32(Load8(w + 24), offsets), offsets, 3);
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(d), Pick(low, high, offsets, 4));
}

__attribute__((target("avx2"))) void GatherAvx2(uint32_t* d, const uint32_t* s, const int32_t* index, int32_t n,
                                                int32_t sourceWidth, bool fromTheEnd) {
  const int32_t blocks = n / 8;
  if (fromTheEnd) {
    GatherScalar(d, s, index, blocks * 8, n, true);
    for (int32_t b = blocks - 1; b >= 0; --b) GatherBlock8(d + 8 * b, s, index + 8 * b, sourceWidth, fromTheEnd);
  } else {
    for (int32_t b = 0; b < blocks; ++b) GatherBlock8(d + 8 * b, s, index + 8 * b, sourceWidth, fromTheEnd);
    // The compiler ends this path with a jump into GatherScalar and leaves
    // out the clearing of the upper vector halves it puts before a return.
    // Left dirty, they make every later SSE instruction of the thread wait on
    // the register it overwrites: copies and blends elsewhere then run
    // several times slower (a masked column copy four times).
    _mm256_zeroupper();
    GatherScalar(d, s, index, blocks * 8, n, false);
  }
}

const bool kHasAvx2 = [] {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") != 0;
}();
#endif

}  // namespace

void GatherPixels(uint32_t* d, const uint32_t* s, const int32_t* index, int32_t n, int32_t sourceWidth,
                  bool fromTheEnd) {
#ifdef VANTREL_GATHER_AVX2
  if (kHasAvx2) {
    GatherAvx2(d, s, index, n, sourceWidth, fromTheEnd);
    return;
  }
#endif
  GatherScalar(d, s, index, 0, n, fromTheEnd);
}

}  // namespace raster
