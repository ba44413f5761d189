#pragma once
#include <cstdint>

namespace pictures {

// A small generator with a fixed algorithm, so every build draws exactly the
// same pictures (the standard distributions differ between libraries).
class TSeededRandom {
 public:
  explicit TSeededRandom(uint32_t seed) : state_(Scramble(seed)) {}

  uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  // Uniform in [0, 1).
  double Unit() { return (Next() >> 8) * (1.0 / 16777216.0); }
  double Between(double low, double high) { return low + (high - low) * Unit(); }
  int Below(int n) { return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<uint32_t>(n)); }

 private:
  // Small seeds (picture numbers) would start xorshift in a poorly mixed
  // state; one round of integer hashing spreads them. Zero is not allowed.
  static uint32_t Scramble(uint32_t seed) {
    seed = (seed ^ 61u) ^ (seed >> 16);
    seed *= 9u;
    seed ^= seed >> 4;
    seed *= 0x27d4eb2du;
    seed ^= seed >> 15;
    return seed != 0 ? seed : 0x9E3779B9u;
  }

  uint32_t state_;
};

}  // namespace pictures
