#pragma once
#include <cstdint>
#include <vector>

#include "platform/raster/drawing.h"

namespace effects {

// Collects rectangles into a region-data block (a 32-byte header followed by
// 16-byte rectangles, grown 500 slots at a time) and turns them into one
// region. Rectangles are stored as given: empty or inverted ones add nothing
// to the region but still widen Bounds.
class TComplexRegion {
 public:
  static constexpr int32_t kGrowth = 500;

  TComplexRegion() { Clear(); }

  void Clear();
  void AddRect(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom);
  // A new region of the stored rectangles; null (no region) when nothing was
  // added since creation or the last Clear. The rectangles stay stored.
  raster::RegionPtr CreateRegion();

  int32_t Capacity() const { return capacity_; }
  int32_t Count() const { return count_; }
  // The smallest rectangle around all stored rectangles; inverted as far as
  // it goes ({max, max, -max, -max}) while there are none.
  raster::Rect Bounds() const;
  // The block; null exactly when Capacity() is 0.
  const uint8_t* RgnData() const { return block_.empty() ? nullptr : block_.data(); }
  raster::Rect RectAt(int32_t i) const;

 private:
  static constexpr size_t kHeaderSize = 32, kRectSize = 16;
  std::vector<uint8_t> block_;
  int32_t capacity_ = 0, count_ = 0;
};

}  // namespace effects
