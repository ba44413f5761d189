#pragma once
#include <cstdint>

namespace raster {

// a * b / c with a 64-bit intermediate, rounded to nearest with halves away
// from zero; -1 when c is 0 or the result does not fit in 32 bits.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);

// Rounding to nearest with halves to even, as the system's Round does.
int32_t Round(double v);

}  // namespace raster
