#include "platform/raster/scaled_row_plan.h"

#include <algorithm>
#include <cstdlib>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define VANTREL_ROW_PLAN_AVX2 1
#endif

namespace raster {

namespace {

constexpr int32_t kBlock = 8;

void RunScalar(uint32_t* d, const uint32_t* s, const int32_t* index, int32_t from, int32_t to, bool fromTheEnd) {
  if (fromTheEnd) {
    for (int32_t i = to - 1; i >= from; --i) d[i] = s[index[i]];
  } else {
    for (int32_t i = from; i < to; ++i) d[i] = s[index[i]];
  }
}

// The smallest window of 8, 16 or 32 pixels every block's sources fit in,
// or 0 when some block spreads wider or the source row is narrower.
int32_t WindowFor(const int32_t* index, int32_t blocks, int32_t sourceWidth) {
  int32_t spread = 0;
  for (int32_t b = 0; b < blocks; ++b) {
    spread = std::max(spread, std::abs(index[kBlock * b + kBlock - 1] - index[kBlock * b]));
  }
  const int32_t window = spread < 8 ? 8 : spread < 16 ? 16 : spread < 32 ? 32 : 0;
  return window <= sourceWidth ? window : 0;
}

#ifdef VANTREL_ROW_PLAN_AVX2
__attribute__((target("avx2"), always_inline)) inline __m256i Load8(const void* p) {
  return _mm256_loadu_si256(static_cast<const __m256i*>(p));
}

// Lanes whose select has its sign bit set take b.
__attribute__((target("avx2"), always_inline)) inline __m256i Pick(__m256i a, __m256i b, __m256i select) {
  return _mm256_castps_si256(
      _mm256_blendv_ps(_mm256_castsi256_ps(a), _mm256_castsi256_ps(b), _mm256_castsi256_ps(select)));
}

template <int32_t Window>
__attribute__((target("avx2"), always_inline)) inline void RunBlock(uint32_t* d, const uint32_t* w,
                                                                    const uint32_t* lanes) {
  const __m256i choose = Load8(lanes);
  __m256i out = _mm256_permutevar8x32_epi32(Load8(w), choose);
  if constexpr (Window >= 16) out = Pick(out, _mm256_permutevar8x32_epi32(Load8(w + 8), choose), choose);
  if constexpr (Window == 32) {
    const __m256i high = Pick(_mm256_permutevar8x32_epi32(Load8(w + 16), choose),
                              _mm256_permutevar8x32_epi32(Load8(w + 24), choose), choose);
    out = Pick(out, high, _mm256_slli_epi32(choose, 1));
  }
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(d), out);
}

template <int32_t Window>
__attribute__((target("avx2"))) void RunBlocks(uint32_t* d, const uint32_t* s, const int32_t* windowStart,
                                               const uint32_t* lanes, int32_t blocks, bool fromTheEnd,
                                               const uint32_t* ahead) {
  if (fromTheEnd) {
    for (int32_t b = blocks - 1; b >= 0; --b) {
      RunBlock<Window>(d + kBlock * b, s + windowStart[b], lanes + kBlock * b);
    }
  } else if (ahead != nullptr) {
    for (int32_t b = 0; b < blocks; ++b) {
      __builtin_prefetch(ahead + windowStart[b]);
      RunBlock<Window>(d + kBlock * b, s + windowStart[b], lanes + kBlock * b);
    }
  } else {
    for (int32_t b = 0; b < blocks; ++b) RunBlock<Window>(d + kBlock * b, s + windowStart[b], lanes + kBlock * b);
  }
}

const bool kHasAvx2 = [] {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") != 0;
}();
#endif

}  // namespace

ScaledRowPlan::ScaledRowPlan(const int32_t* index, int32_t n, int32_t sourceWidth) : index_(index), n_(n) {
#ifdef VANTREL_ROW_PLAN_AVX2
  if (!kHasAvx2) return;
  const int32_t blocks = n / kBlock;
  window_ = WindowFor(index, blocks, sourceWidth);
  if (window_ == 0) return;
  windowStart_.resize(size_t(blocks));
  lanes_.resize(size_t(blocks) * kBlock);
  for (int32_t b = 0; b < blocks; ++b) {
    const int32_t* block = index + kBlock * b;
    // Pulled back at the row's end so that the window stays inside the row.
    const int32_t start = std::min(std::min(block[0], block[kBlock - 1]), sourceWidth - window_);
    windowStart_[size_t(b)] = start;
    for (int32_t j = 0; j < kBlock; ++j) {
      const auto offset = static_cast<uint32_t>(block[j] - start);
      lanes_[size_t(kBlock * b + j)] = (offset & 7u) | (offset >> 3 & 1u) << 31 | (offset >> 4 & 1u) << 30;
    }
  }
#else
  (void)sourceWidth;
#endif
}

void ScaledRowPlan::Run(uint32_t* d, const uint32_t* s, bool fromTheEnd, const uint32_t* ahead) const {
#ifdef VANTREL_ROW_PLAN_AVX2
  if (window_ != 0) {
    const int32_t blocks = n_ / kBlock, whole = blocks * kBlock;
    const int32_t* starts = windowStart_.data();
    const uint32_t* lanes = lanes_.data();
    if (fromTheEnd) RunScalar(d, s, index_, whole, n_, true);
    switch (window_) {
      case 8: RunBlocks<8>(d, s, starts, lanes, blocks, fromTheEnd, ahead); break;
      case 16: RunBlocks<16>(d, s, starts, lanes, blocks, fromTheEnd, ahead); break;
      default: RunBlocks<32>(d, s, starts, lanes, blocks, fromTheEnd, ahead); break;
    }
    if (!fromTheEnd) RunScalar(d, s, index_, whole, n_, false);
    return;
  }
#endif
  RunScalar(d, s, index_, 0, n_, fromTheEnd);
}

}  // namespace raster
