#pragma once
#include <cstdint>
#include <vector>

namespace raster {

// The inner loop of a scaled copy's rows, worked out once for the whole copy:
// d[i] := s[index[i]] for 0 <= i < n on every row, where `index` (monotone,
// rising or falling for a mirror, every entry in 0 .. sourceWidth - 1) is the
// same for all rows. The row is cut into blocks of eight destination pixels;
// each block reads one window of 8, 16 or 32 source pixels (the same size for
// the whole row) and picks its pixels out of it with lane permutations that
// are computed here, so a row costs whole-vector loads, permutations and
// stores. Rows whose blocks spread over more than 32 source pixels, and
// processors without AVX2, go pixel by pixel.
class ScaledRowPlan {
 public:
  // `index` must outlive the plan: the pixels after the last whole block are
  // read through it.
  ScaledRowPlan(const int32_t* index, int32_t n, int32_t sourceWidth);

  // One row. Every block is written only after all its source pixels are
  // read, blocks walking from the end when `fromTheEnd` is set: a copy within
  // one row stays correct whenever it reads at or behind (fromTheEnd) or at
  // or ahead of each written position. With `ahead` (the next row's source),
  // each block of a row walked from the start also prefetches the pixels it
  // will read there.
  void Run(uint32_t* d, const uint32_t* s, bool fromTheEnd, const uint32_t* ahead = nullptr) const;

 private:
  const int32_t* index_;
  int32_t n_;
  int32_t window_ = 0;  // 8, 16 or 32; 0: pixel by pixel
  // Per block: where its window starts in the source row, and eight lanes
  // whose low three bits choose a pixel within a group of eight; bit 31 picks
  // the second group of eight, bit 30 the second half of a 32-pixel window.
  std::vector<int32_t> windowStart_;
  std::vector<uint32_t> lanes_;
};

}  // namespace raster
