// Linked into every benchmark program: the benchmarks run under the heap
// policy the project's programs set first thing in main.
#include "platform/raster/heap_policy.h"

namespace {

const bool kHeapPolicySet = (raster::KeepHeapForNextFrames(), true);

}  // namespace
