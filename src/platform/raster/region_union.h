#pragma once
#include <span>

#include "platform/raster/region.h"

namespace raster {

// The union of many regions in one top-to-bottom sweep. Equal to uniting them
// one by one, but each band is built once instead of once per part, which
// matters when dozens of shapes spread over the same rows (grid shreds).
Region UnionOf(std::span<const Region> parts);

}  // namespace raster
