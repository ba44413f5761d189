#pragma once
#include <cstdint>

namespace raster {

struct Size {
  int32_t width = 0, height = 0;
  friend constexpr bool operator==(const Size&, const Size&) = default;
};

}  // namespace raster
