#pragma once
#include <cstdint>

namespace raster {

// One pixel as stored: bytes blue, green, red, reserved.
struct TRGBQuad {
  uint8_t rgbBlue, rgbGreen, rgbRed, rgbReserved;
};
static_assert(sizeof(TRGBQuad) == 4);

using TRGBQuadArray = TRGBQuad[];
using PRGBQuadArray = TRGBQuad*;

// Colour value 0x00BBGGRR (red in the low byte).
using TColor = uint32_t;

// Packs a colour into the 32-bit word as it lies in memory (little endian BGRX).
constexpr uint32_t PixelFromColor(TColor c) { return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu); }

}  // namespace raster
