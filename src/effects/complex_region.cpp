#include "effects/complex_region.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace effects {

void TComplexRegion::Clear() {
  std::vector<uint8_t>().swap(block_);
  capacity_ = 0;
  count_ = 0;
}

void TComplexRegion::AddRect(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom) {
  if (count_ == capacity_) {
    capacity_ += kGrowth;
    // Four bytes beyond header and slots, as the block has always been sized.
    // The storage underneath at least doubles: thousands of squares would
    // otherwise move the whole block again every 500 rectangles.
    const size_t bytes = kHeaderSize + 4 + kRectSize * size_t(capacity_);
    if (bytes > block_.capacity()) block_.reserve(std::max(bytes, 2 * block_.capacity()));
    block_.resize(bytes);
  }
  const raster::Rect r{Left, Top, Right, Bottom};
  std::memcpy(block_.data() + kHeaderSize + kRectSize * size_t(count_), &r, kRectSize);
  ++count_;
}

// Worked out when asked for rather than kept up in AddRect: regions of
// thousands of squares add them in a tight loop, where four more values read
// back and written through memory on every call cost more than the rest.
raster::Rect TComplexRegion::Bounds() const {
  // Inverted as far as it goes, so the first rectangle sets every edge.
  constexpr int32_t kFar = std::numeric_limits<int32_t>::max();
  raster::Rect bounds{kFar, kFar, -kFar, -kFar};
  for (int32_t i = 0; i < count_; ++i) {
    const raster::Rect r = RectAt(i);
    bounds.left = std::min(bounds.left, r.left);
    bounds.top = std::min(bounds.top, r.top);
    bounds.right = std::max(bounds.right, r.right);
    bounds.bottom = std::max(bounds.bottom, r.bottom);
  }
  return bounds;
}

raster::Rect TComplexRegion::RectAt(int32_t i) const {
  raster::Rect r;
  std::memcpy(&r, block_.data() + kHeaderSize + kRectSize * size_t(i), kRectSize);
  return r;
}

raster::RegionPtr TComplexRegion::CreateRegion() {
  if (block_.empty()) return nullptr;
  const raster::RGNDATAHEADER header{kHeaderSize, raster::RDH_RECTANGLES, uint32_t(count_), uint32_t(kRectSize),
                                     Bounds()};
  std::memcpy(block_.data(), &header, sizeof header);
  return raster::ExtCreateRegion(block_.data(), uint32_t(kHeaderSize + 4 + kRectSize * size_t(count_)));
}

}  // namespace effects
