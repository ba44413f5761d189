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

// Blends `count` pixels of src into dst; the two blocks must not overlap.
void BlendChannels(uint32_t* dstPixels, const uint32_t* srcPixels, size_t count, ChannelWeights weights);

}  // namespace effects
