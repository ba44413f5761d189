#include "platform/raster/pixel_copy.h"

#include "platform/raster/cpu_clones.h"

namespace raster {

namespace {

// Eight pixels, loaded and stored without any alignment: one 32-byte move
// where the processor has them, two 16-byte ones where it does not.
using Block8 = uint32_t __attribute__((vector_size(32), aligned(4)));

}  // namespace

VANTREL_CPU_CLONES void CopyLongRun(uint32_t* d, const uint32_t* s, size_t n) {
  size_t i = 0;
  for (; i + 16 <= n; i += 16) {
    const Block8 a = *reinterpret_cast<const Block8*>(s + i), b = *reinterpret_cast<const Block8*>(s + i + 8);
    *reinterpret_cast<Block8*>(d + i) = a;
    *reinterpret_cast<Block8*>(d + i + 8) = b;
  }
  if (i < n) {
    // One more pair ending at the run's end, rewriting some pixels with the
    // values they already got.
    const Block8 a = *reinterpret_cast<const Block8*>(s + n - 16), b = *reinterpret_cast<const Block8*>(s + n - 8);
    *reinterpret_cast<Block8*>(d + n - 16) = a;
    *reinterpret_cast<Block8*>(d + n - 8) = b;
  }
}

}  // namespace raster
