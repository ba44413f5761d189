#include "platform/raster/random.h"

#include <chrono>

namespace raster {

std::atomic<uint32_t> RandSeed{0};

int32_t Random(int32_t n) {
  uint32_t seed = RandSeed.load(std::memory_order_relaxed);
  uint32_t next;
  do {
    next = NextSeed(seed);
  } while (!RandSeed.compare_exchange_weak(seed, next, std::memory_order_relaxed));
  return DrawFromSeed(next, n);
}

TPinnedRandom ClaimDraws(int32_t count) {
  uint32_t seed = RandSeed.load(std::memory_order_relaxed);
  uint32_t after;
  do {
    after = seed;
    for (int32_t i = 0; i < count; ++i) after = NextSeed(after);
  } while (!RandSeed.compare_exchange_weak(seed, after, std::memory_order_relaxed));
  return TPinnedRandom(seed);
}

void Randomize() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  RandSeed.store(static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count()));
}

}  // namespace raster
