#pragma once
#include <filesystem>

#include "platform/raster/bitmap.h"

namespace tools {

// Writes the bitmap as an 8-bit RGB PNG; throws std::runtime_error naming the
// file on failure.
void WritePngRgb(const raster::Bitmap& bitmap, const std::filesystem::path& path);

}  // namespace tools
