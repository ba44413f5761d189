#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>

#include "platform/raster/bitmap.h"

namespace platform {

// Largest ancillary chunk (ICC profile, text, ...) libpng may allocate.
constexpr size_t kMaxPngChunkBytes = 8 * 1024 * 1024;
// Most ancillary chunks (text, sPLT, unknown) libpng keeps per file.
constexpr unsigned kMaxPngCachedChunks = 256;
// Compressed picture data accepted once every row is decoded: the end of the
// deflate stream and its checksum, with room for an encoder's final flush.
constexpr uint64_t kMaxPngDataAfterLastRow = 4096;

// Decodes a PNG file of any colour type and bit depth, plain or interlaced,
// into a new bitmap: palette, grey and 16-bit samples are expanded to 8-bit
// blue, green, red, alpha (straight, not premultiplied); a tRNS colour
// becomes alpha 0; opaque pictures get alpha 255. Gamma is not applied.
// Any damage to the file (truncation, CRC or zlib errors) is an error.
// Throws PictureError.
std::unique_ptr<raster::Bitmap> DecodePng(const std::filesystem::path& path);

}  // namespace platform
