#include "platform/raster/heap_policy.h"

#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace raster {

void KeepHeapForNextFrames() {
#if defined(__GLIBC__)
  constexpr int kMappedFrom = 4 << 20, kKeptFree = 32 << 20;
  // Either setting also stops the C library from moving both thresholds
  // itself as blocks come and go, so the figures hold for the whole run.
  mallopt(M_MMAP_THRESHOLD, kMappedFrom);
  mallopt(M_TRIM_THRESHOLD, kKeptFree);
#endif
}

}  // namespace raster
