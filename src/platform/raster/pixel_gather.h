#pragma once
#include <cstdint>

namespace raster {

// d[i] := s[index[i]] for 0 <= i < n, the inner loop of a scaled copy's row.
// `index` is monotone (rising, or falling for a mirror) and every index lies
// in 0 .. sourceWidth - 1. Runs of 8 destination pixels are written only
// after all their source pixels are read, in blocks walking from the end
// when `fromTheEnd` is set: a copy within one row stays correct whenever
// reading at or behind (fromTheEnd) or at or ahead of each written position.
void GatherPixels(uint32_t* d, const uint32_t* s, const int32_t* index, int32_t n, int32_t sourceWidth,
                  bool fromTheEnd);

}  // namespace raster
