#include "effects/channel_blend.h"

#include <cstring>

#include "platform/raster/cpu_clones.h"

namespace effects {
namespace {

// Sixteen 16-bit lanes (a GCC/Clang vector extension): one AVX2 register, or
// two SSE2 registers where AVX2 is missing.
typedef uint16_t U16x16 __attribute__((vector_size(32)));

inline uint8_t BlendByte(uint8_t d, uint8_t s, uint16_t w) {
  return static_cast<uint8_t>((d * (256 - w) + s * w) >> 8);
}

}  // namespace

// d + floor((s - d) w / 256) = (d (256 - w) + s w) >> 8, a sum of at most
// 255 * 256: it fits a 16-bit lane. Thirty-two bytes at a time, the lanes hold
// the even bytes (blue, red) and, shifted down, the odd bytes (green,
// reserved); the two results are merged back without unpacking. Built twice,
// for AVX2 and for the baseline, and chosen by the processor at load time:
// the same arithmetic either way, so the same bytes.
VANTREL_CPU_CLONES void BlendChannels(uint32_t* dstPixels, const uint32_t* srcPixels, size_t count,
                                      ChannelWeights weights) {
  const uint16_t wB = weights.blue, wG = weights.green, wR = weights.red, wX = weights.reserved;
  const U16x16 takeEven = {wB, wR, wB, wR, wB, wR, wB, wR, wB, wR, wB, wR, wB, wR, wB, wR};
  const U16x16 takeOdd = {wG, wX, wG, wX, wG, wX, wG, wX, wG, wX, wG, wX, wG, wX, wG, wX};
  const U16x16 keepEven = 256 - takeEven, keepOdd = 256 - takeOdd;
  const U16x16 lowByte = U16x16{} + 0x00FF, highByte = U16x16{} + 0xFF00;
  uint8_t* d = reinterpret_cast<uint8_t*>(dstPixels);
  const uint8_t* s = reinterpret_cast<const uint8_t*>(srcPixels);
  const size_t bytes = count * 4;
  size_t i = 0;
  for (; i + 32 <= bytes; i += 32) {
    U16x16 dv, sv;
    std::memcpy(&dv, d + i, 32);
    std::memcpy(&sv, s + i, 32);
    const U16x16 even = ((dv & lowByte) * keepEven + (sv & lowByte) * takeEven) >> 8;
    const U16x16 odd = ((dv >> 8) * keepOdd + (sv >> 8) * takeOdd) & highByte;
    const U16x16 blended = even | odd;
    std::memcpy(d + i, &blended, 32);
  }
  const uint16_t weightOf[4] = {wB, wG, wR, wX};
  for (; i < bytes; ++i) d[i] = BlendByte(d[i], s[i], weightOf[i % 4]);
}

}  // namespace effects
