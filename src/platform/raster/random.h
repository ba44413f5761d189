#pragma once
#include <atomic>
#include <cstdint>

namespace raster {

// The shared generator: one 32-bit linear congruential state for the whole
// program. Every draw reads and replaces the state in one atomic step, so the
// window thread and the timer thread may draw concurrently.
extern std::atomic<uint32_t> RandSeed;

// Advances the calling thread's generator state (RandSeed, unless a
// TThreadGenerator is in force on the thread) and returns a value in 0..n-1
// (0 for n <= 0).
int32_t Random(int32_t n);

// While it lives, the thread that made it draws from a generator state of its
// own, started at `seed`, instead of RandSeed: work on another thread (a video
// export) then neither shifts the shared sequence nor depends on it. Made and
// destroyed on the same thread, innermost first.
class TThreadGenerator {
 public:
  explicit TThreadGenerator(uint32_t seed);
  ~TThreadGenerator();
  TThreadGenerator(const TThreadGenerator&) = delete;
  TThreadGenerator& operator=(const TThreadGenerator&) = delete;

 private:
  std::atomic<uint32_t> state_;
  std::atomic<uint32_t>* previous_;
};

// Seeds RandSeed from the clock.
void Randomize();

// One step of the generator: the state after `seed` and the draw it yields.
constexpr uint32_t NextSeed(uint32_t seed) { return seed * 134775813u + 1u; }
constexpr int32_t DrawFromSeed(uint32_t seed, int32_t n) {
  return n <= 0 ? 0 : static_cast<int32_t>((uint64_t{seed} * static_cast<uint32_t>(n)) >> 32);
}

// A generator of the same kind with a private state, for patterns that must
// replay identically in every frame of a transition.
class TPinnedRandom {
 public:
  explicit TPinnedRandom(uint32_t seed) : state_(seed) {}
  int32_t Random(int32_t n) {
    state_ = NextSeed(state_);
    return DrawFromSeed(state_, n);
  }
  uint32_t state() const { return state_; }

 private:
  uint32_t state_;
};

// Claims the next `count` draws of the thread's generator (see Random) in one atomic step:
// the returned generator's first `count` draws are the ones `count` calls of
// Random would have made, and RandSeed is left where those calls leave it.
// For loops of many draws, which would otherwise pay an atomic step each.
TPinnedRandom ClaimDraws(int32_t count);

}  // namespace raster
