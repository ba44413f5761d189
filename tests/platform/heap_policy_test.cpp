#include "platform/raster/heap_policy.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace raster {
namespace {

// A frame's worth of blocks freed at the top of the heap stays with the
// process for the next frame instead of going back to the system. The
// sanitizers bring their own allocator, which this policy does not steer.
#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
TEST(HeapPolicy, FreedFrameMemoryStaysWithTheProcess) {
  KeepHeapForNextFrames();
  constexpr size_t kBlock = 64 << 10, kBlocks = 96;  // 6 MiB, each block below any mapping threshold
  std::vector<void*> blocks;
  for (size_t i = 0; i < kBlocks; ++i) {
    blocks.push_back(std::malloc(kBlock));
    ASSERT_NE(blocks.back(), nullptr);
    static_cast<volatile char*>(blocks.back())[0] = 1;
  }
  const size_t heapInUse = mallinfo2().arena;
  for (void* block : blocks) std::free(block);
  EXPECT_GE(mallinfo2().arena + kBlock, heapInUse) << "the heap was handed back to the system";
}
#endif

}  // namespace
}  // namespace raster
