#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace raster {

#if defined(__SSE2__)
inline void Copy4(uint32_t* d, const uint32_t* s) {
  _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm_loadu_si128(reinterpret_cast<const __m128i*>(s)));
}

// All four loads before the first store.
inline void Copy16(uint32_t* d, const uint32_t* s) {
  const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
  const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 4));
  const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 8));
  const __m128i e = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 12));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(d), a);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 4), b);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 8), c);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 12), e);
}
#endif

// Copies n >= 16 pixels between two runs that do not overlap, in whole
// 32-byte moves where the processor has them: runs that are part of a row
// (a clip, a block narrower than the bitmap) start a new memory stream on
// every row, and there the wider moves keep up with memcpy where 16-byte ones
// fall a third behind.
void CopyLongRun(uint32_t* d, const uint32_t* s, size_t n);

// From this many pixels on, a run is worth the call to CopyLongRun.
inline constexpr size_t kLongRun = 64;

// Copies n pixels between two runs that do not overlap.
//
// Not memcpy: for runs of a few kilobytes (a row of a photo) glibc copies with
// `rep movsb`, which on processors with fast string moves runs several times
// slower when the destination lies a few bytes past the source modulo 4 KiB.
// Two same-sized bitmaps whose blocks start 16 bytes apart, copied row by row
// in place, hit exactly that. A plain vector loop has no such case.
inline void CopyPixels(uint32_t* d, const uint32_t* s, size_t n) {
#if defined(__SSE2__)
  if (n >= kLongRun) {
    CopyLongRun(d, s, n);
    return;
  }
  if (n >= 16) {
    size_t i = 0;
    for (; i + 16 <= n; i += 16) Copy16(d + i, s + i);
    // The last few pixels as one more block ending at the run's end: it
    // rewrites some pixels with the values they already got.
    if (i < n) Copy16(d + n - 16, s + n - 16);
    return;
  }
  // Short runs (clips of many small squares): four pixels at a time, the
  // last four ending at the run's end.
  if (n >= 4) {
    size_t i = 0;
    for (; i + 4 <= n; i += 4) Copy4(d + i, s + i);
    if (i < n) Copy4(d + n - 4, s + n - 4);
    return;
  }
  for (size_t i = 0; i < n; ++i) d[i] = s[i];
#else
  std::memcpy(d, s, n * sizeof(uint32_t));
#endif
}

}  // namespace raster
