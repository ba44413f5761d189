#include "platform/raster/muldiv.h"

#include <cmath>
#include <limits>

namespace raster {

int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
  if (c == 0) return -1;
  const int64_t p = int64_t{a} * b;
  int64_t q = p / c;
  const int64_t r = p % c;
  // Round half away from zero: |r| >= |c| / 2 moves one step away from zero.
  if (2 * (r < 0 ? -r : r) >= (c < 0 ? -int64_t{c} : int64_t{c})) q += ((p < 0) != (c < 0)) ? -1 : 1;
  if (q > std::numeric_limits<int32_t>::max() || q < std::numeric_limits<int32_t>::min()) return -1;
  return static_cast<int32_t>(q);
}

int32_t Round(double v) { return static_cast<int32_t>(std::nearbyint(v)); }

}  // namespace raster
