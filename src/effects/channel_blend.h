#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

// The one blend every pixel-blending effect uses: per byte,
//   d := d + floor((s - d) * w / 256),   w in 0..256,
// with its own weight for blue, green, red and the reserved byte. A weight of
// 0 leaves the byte alone, 256 takes the source byte.
namespace effects {

struct ChannelWeights {
  uint16_t blue = 0, green = 0, red = 0, reserved = 0;
};

namespace detail {

// Eight 16-bit lanes (a GCC/Clang vector extension; SSE2 on x86-64).
typedef uint16_t U16x8 __attribute__((vector_size(16)));

inline uint8_t BlendByte(uint8_t d, uint8_t s, uint16_t w) {
  return static_cast<uint8_t>((d * (256 - w) + s * w) >> 8);
}

}  // namespace detail

// Blends `count` pixels of src into dst; the two blocks must not overlap.
//
// d + floor((s - d) w / 256) = (d (256 - w) + s w) >> 8, a sum of at most
// 255 * 256: it fits a 16-bit lane. Sixteen bytes at a time, the lanes hold
// the even bytes (blue, red) and, shifted down, the odd bytes (green,
// reserved); the two results are merged back without unpacking.
inline void BlendChannels(uint32_t* dstPixels, const uint32_t* srcPixels, size_t count, ChannelWeights weights) {
  using detail::U16x8;
  const uint16_t wB = weights.blue, wG = weights.green, wR = weights.red, wX = weights.reserved;
  const U16x8 takeEven = {wB, wR, wB, wR, wB, wR, wB, wR}, takeOdd = {wG, wX, wG, wX, wG, wX, wG, wX};
  const U16x8 keepEven = 256 - takeEven, keepOdd = 256 - takeOdd;
  const U16x8 lowByte = U16x8{} + 0x00FF, highByte = U16x8{} + 0xFF00;
  uint8_t* d = reinterpret_cast<uint8_t*>(dstPixels);
  const uint8_t* s = reinterpret_cast<const uint8_t*>(srcPixels);
  const size_t bytes = count * 4;
  size_t i = 0;
  for (; i + 16 <= bytes; i += 16) {
    U16x8 dv, sv;
    std::memcpy(&dv, d + i, 16);
    std::memcpy(&sv, s + i, 16);
    const U16x8 even = ((dv & lowByte) * keepEven + (sv & lowByte) * takeEven) >> 8;
    const U16x8 odd = ((dv >> 8) * keepOdd + (sv >> 8) * takeOdd) & highByte;
    const U16x8 blended = even | odd;
    std::memcpy(d + i, &blended, 16);
  }
  const uint16_t weightOf[4] = {wB, wG, wR, wX};
  for (; i < bytes; ++i) d[i] = detail::BlendByte(d[i], s[i], weightOf[i % 4]);
}

}  // namespace effects
