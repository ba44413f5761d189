#pragma once
#include <cstddef>
#include <cstdint>

// The one blend every pixel-blending effect uses: per byte,
//   d := d + floor((s - d) * w / 256),   w in 0..256,
// with its own weight for blue, green, red and the reserved byte. A weight of
// 0 leaves the byte alone, 256 takes the source byte.
namespace effects {

struct ChannelWeights {
  uint16_t blue = 0, green = 0, red = 0, reserved = 0;
};

namespace detail {

// d + floor((s - d) w / 256) = (d (256 - w) + s w) >> 8, and that sum is at
// most 255 * 256, so 16-bit lanes hold it: the fixed 16-byte inner loop over
// distinct blocks lets the compiler turn it into vector multiplies.
inline void BlendBytes(uint8_t* __restrict d, const uint8_t* __restrict s, size_t bytes,
                       ChannelWeights weights) {
  constexpr size_t kChunk = 16;
  const uint16_t weightOf[4] = {weights.blue, weights.green, weights.red, weights.reserved};
  uint16_t take[kChunk], keep[kChunk];
  for (size_t k = 0; k < kChunk; ++k) {
    take[k] = weightOf[k % 4];
    keep[k] = static_cast<uint16_t>(256 - take[k]);
  }
  size_t i = 0;
  for (; i + kChunk <= bytes; i += kChunk) {
    for (size_t k = 0; k < kChunk; ++k) {
      d[i + k] = static_cast<uint8_t>(static_cast<uint16_t>(d[i + k] * keep[k] + s[i + k] * take[k]) >> 8);
    }
  }
  for (; i < bytes; ++i) {
    const size_t k = i % kChunk;
    d[i] = static_cast<uint8_t>(static_cast<uint16_t>(d[i] * keep[k] + s[i] * take[k]) >> 8);
  }
}

}  // namespace detail

// Blends `count` pixels of src into dst; the two blocks must not overlap.
inline void BlendChannels(uint32_t* dstPixels, const uint32_t* srcPixels, size_t count,
                          ChannelWeights weights) {
  detail::BlendBytes(reinterpret_cast<uint8_t*>(dstPixels), reinterpret_cast<const uint8_t*>(srcPixels),
                     count * 4, weights);
}

}  // namespace effects
