#include "platform/raster/random.h"

#include <algorithm>
#include <chrono>

namespace raster {

std::atomic<uint32_t> RandSeed{0};

namespace {

// The generator state the calling thread draws from; null for RandSeed.
thread_local std::atomic<uint32_t>* threadState = nullptr;

std::atomic<uint32_t>& State() { return threadState ? *threadState : RandSeed; }

}  // namespace

TThreadGenerator::TThreadGenerator(uint32_t seed) : state_(seed), previous_(threadState) { threadState = &state_; }

TThreadGenerator::~TThreadGenerator() { threadState = previous_; }

int32_t Random(int32_t n) {
  std::atomic<uint32_t>& state = State();
  uint32_t seed = state.load(std::memory_order_relaxed);
  uint32_t next;
  do {
    next = NextSeed(seed);
  } while (!state.compare_exchange_weak(seed, next, std::memory_order_relaxed));
  return DrawFromSeed(next, n);
}

namespace {

// `count` steps of the generator folded into one, state * mul + add, by
// doubling: a claim of thousands of draws costs a few dozen multiplications.
struct Leap {
  uint32_t mul = 1, add = 0;
};

Leap LeapOf(int32_t count) {
  Leap leap, step{NextSeed(1) - NextSeed(0), NextSeed(0)};  // one step of the rule
  for (auto n = static_cast<uint32_t>(std::max(count, 0)); n != 0; n >>= 1) {
    if ((n & 1u) != 0) leap = {leap.mul * step.mul, leap.add * step.mul + step.add};
    step = {step.mul * step.mul, step.add * step.mul + step.add};
  }
  return leap;
}

}  // namespace

TPinnedRandom ClaimDraws(int32_t count) {
  const Leap leap = LeapOf(count);
  std::atomic<uint32_t>& state = State();
  uint32_t seed = state.load(std::memory_order_relaxed);
  while (!state.compare_exchange_weak(seed, seed * leap.mul + leap.add, std::memory_order_relaxed)) {}
  return TPinnedRandom(seed);
}

void Randomize() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  RandSeed.store(static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count()));
}

}  // namespace raster
