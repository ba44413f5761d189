#include "platform/raster/pixel_memory.h"

#include <sys/mman.h>

#include <atomic>
#include <cstring>
#include <new>

namespace raster {
namespace {

constexpr size_t kHugePage = size_t(2) << 20;
// From this size on a block is mapped: below it, rounding up to whole huge
// pages would waste too large a share.
constexpr size_t kMappedFrom = size_t(4) << 20;

size_t RoundUp(size_t value, size_t step) { return (value + step - 1) / step * step; }

// Maps `bytes` (a multiple of kHugePage) starting on a kHugePage boundary:
// one page more is mapped and the unaligned ends are given back.
void* MapAligned(size_t bytes) {
  const size_t spare = bytes + kHugePage;
  void* raw = mmap(nullptr, spare, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) throw std::bad_alloc();
  auto* const first = static_cast<char*>(raw);
  auto* const start = reinterpret_cast<char*>(RoundUp(reinterpret_cast<uintptr_t>(first), kHugePage));
  if (start != first) munmap(first, size_t(start - first));
  const size_t after = size_t(first + spare - (start + bytes));
  if (after != 0) munmap(start + bytes, after);
  return start;
}

}  // namespace

void PixelMemoryRelease::operator()(uint32_t* pixels) const {
  if (mappedBytes == 0) {
    delete[] pixels;
  } else {
    munmap(reinterpret_cast<char*>(pixels) - offset, mappedBytes);
  }
}

PixelMemory ZeroedPixels(size_t count) {
  const size_t bytes = count * sizeof(uint32_t);
  if (bytes < kMappedFrom) {
    PixelMemory pixels(new uint32_t[count], PixelMemoryRelease{});
    std::memset(pixels.get(), 0, bytes);
    return pixels;
  }
  // Blocks all starting on a 2 MiB boundary would put the same pixel of two
  // bitmaps at the same address modulo 4 KiB, where a load right after a
  // store to the other bitmap waits for it (a copy down a column runs several
  // times slower): each block starts a different number of 272-byte steps in.
  static std::atomic<uint32_t> blocksMapped{0};
  const size_t offset = size_t(blocksMapped.fetch_add(1) % 15 + 1) * 272;
  const size_t mapped = RoundUp(bytes + offset, kHugePage);
  char* block = static_cast<char*>(MapAligned(mapped));
  // Only advice: without huge pages the block works the same.
  madvise(block, mapped, MADV_HUGEPAGE);
  return PixelMemory(reinterpret_cast<uint32_t*>(block + offset), PixelMemoryRelease{mapped, offset});
}

}  // namespace raster
