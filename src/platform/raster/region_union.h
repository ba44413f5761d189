#pragma once
#include <span>

#include "platform/raster/region.h"

namespace raster {

// The union of many regions in one top-to-bottom sweep. Equal to uniting them
// one by one, but each band is built once instead of once per part, which
// matters when several shapes spread over the same rows.
Region UnionOf(std::span<const Region> parts);

// The exclusive-or of many regions (the pixels inside an odd number of them),
// in one sweep; equal to combining them one by one with exclusive-or.
Region XorOf(std::span<const Region> parts);

}  // namespace raster
