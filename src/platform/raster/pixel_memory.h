#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

namespace raster {

// Gives back a block from ZeroedPixels the way it was taken.
struct PixelMemoryRelease {
  size_t mappedBytes = 0;  // 0: taken with new[]
  size_t offset = 0;  // of the pixels from the start of the mapping
  void operator()(uint32_t* pixels) const;
};
using PixelMemory = std::unique_ptr<uint32_t[], PixelMemoryRelease>;

// Memory for `count` pixels, all bytes 0. Blocks of a photo's or a screen's
// size (a few megabytes and up) are mapped from the system directly, on
// 2 MiB boundaries (the pixels a little way in) with transparent huge pages
// asked for: the system hands
// them out zeroed, so nothing is written here, and they are touched in 2 MiB
// pages instead of 4 KiB ones (a 4K frame is 32 MiB: 16 page faults instead
// of 8100). Small blocks come from new[] and are cleared. Throws
// std::bad_alloc when there is no memory.
PixelMemory ZeroedPixels(size_t count);

}  // namespace raster
