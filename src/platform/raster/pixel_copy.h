#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace raster {

// Copies n pixels between two runs that do not overlap.
//
// Not memcpy: for runs of a few kilobytes (a row of a photo) glibc copies with
// `rep movsb`, which on processors with fast string moves runs several times
// slower when the destination lies a few bytes past the source modulo 4 KiB.
// Two same-sized bitmaps whose blocks start 16 bytes apart, copied row by row
// in place, hit exactly that. A plain vector loop has no such case.
inline void CopyPixels(uint32_t* d, const uint32_t* s, size_t n) {
#if defined(__SSE2__)
  size_t i = 0;
  for (; i + 16 <= n; i += 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i + 4));
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i + 8));
    const __m128i e = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i + 12));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), a);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i + 4), b);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i + 8), c);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i + 12), e);
  }
  for (; i < n; ++i) d[i] = s[i];
#else
  std::memcpy(d, s, n * sizeof(uint32_t));
#endif
}

}  // namespace raster
