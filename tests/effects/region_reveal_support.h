#pragma once
// Helpers for the tests of the region-based reveals (curved and elliptic
// reveals, interleaved bars, uneven shreds): run a style on small pictures
// whose every pixel tells which picture and which position it came from, and
// read the frame back as a mask (frame_mask_support.h); models of the pour region.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "effects/catalogue.h"
#include "frame_mask_support.h"
#include "platform/raster/bitmap.h"
#include "platform/raster/region.h"

namespace region_reveal_test {

using namespace frame_mask_test;

// The pixels of the W × H picture inside a region, as a mask.
inline Mask MaskOf(const raster::Region& region, int32_t W, int32_t H) {
  Mask mask(size_t(H), std::string(size_t(W), '.'));
  for (int32_t y = 0; y < H; ++y)
    for (int32_t x = 0; x < W; ++x)
      if (region.Contains(x, y)) mask[size_t(y)][size_t(x)] = '#';
  return mask;
}

// One uncovered interval set of a strip, as the mode table of the uneven
// shreds describes it, for a strip length R along a side of `size` pixels.
inline std::vector<std::pair<int32_t, int32_t>> Uncovered(int32_t mode, int32_t R, int32_t size) {
  const int32_t mid = size / 2, m = R / 2;
  switch (mode) {
    case 1: return {{size - R, size}};
    case 2: return {{0, R}};
    case 3: return {{mid - m, mid + m}};
    default: return {{0, m}, {size - m, size}};
  }
}

// Whether (x, y) lies in the pour region, strip by strip, with the strip
// lengths drawn from `seed` in the maker's order: horizontal strips top to
// bottom, then vertical strips left to right.
class PourModel {
 public:
  PourModel(uint32_t seed, int32_t X, int32_t Y, int32_t W, int32_t H, int32_t XMode, int32_t YMode)
      : W_(W), H_(H), XMode_(XMode), YMode_(YMode), D_(std::min(W, H) / 200 + 1) {
    uint32_t state = seed;
    auto lengths = [&](int32_t extent, int32_t size, int32_t count) {
      const int32_t N = extent < size ? size / 10 : 0;
      std::vector<int32_t> r;
      for (int32_t i = 0; i < count; ++i) {
        state = NextState(state);
        r.push_back(extent + DrawOf(state, 2 * N) - N);
      }
      return r;
    };
    if (XMode != 0) rowLengths_ = lengths(X, W, (H + D_ - 1) / D_);
    if (YMode != 0) columnLengths_ = lengths(Y, H, (W + D_ - 1) / D_);
    draws_ = int64_t(rowLengths_.size() + columnLengths_.size());
  }

  int64_t Draws() const { return draws_; }

  // The frame the uneven shreds show: '#' where the picture is uncovered.
  Mask PictureMask() const {
    Mask mask = UniformMask(W_, H_, '.');
    for (int32_t y = 0; y < H_; ++y)
      for (int32_t x = 0; x < W_; ++x)
        if (Contains(x, y)) mask[size_t(y)][size_t(x)] = '#';
    return mask;
  }

  bool Contains(int32_t x, int32_t y) const {
    return InStrips(rowLengths_, XMode_, W_, H_ % D_ + D_, x, y) ||
           InStrips(columnLengths_, YMode_, H_, W_ % D_ + D_, y, x);
  }

 private:
  // Strip i covers [i D, i D + thickness) across (at most two strips overlap
  // there); `along` is the position along the strip.
  bool InStrips(const std::vector<int32_t>& lengths, int32_t mode, int32_t size, int32_t thickness, int32_t along,
                int32_t across) const {
    if (across < 0 || lengths.empty()) return false;
    for (int32_t i = std::min(across / D_, int32_t(lengths.size()) - 1); i >= 0 && i * D_ + thickness > across; --i) {
      for (const auto& [from, to] : Uncovered(mode, lengths[size_t(i)], size))
        if (from <= along && along < to) return true;
    }
    return false;
  }

  int32_t W_, H_, XMode_, YMode_, D_;
  std::vector<int32_t> rowLengths_, columnLengths_;
  int64_t draws_ = 0;
};

}  // namespace region_reveal_test
