#pragma once
#include <filesystem>
#include <memory>

#include "platform/raster/bitmap.h"

namespace platform {

// Most scans a progressive JPEG may have. Real encoders write about ten;
// hostile files with thousands of tiny scans would otherwise take minutes.
constexpr int kMaxJpegScans = 1000;
// Memory libjpeg may take for its own buffers (the coefficients of a
// progressive picture of the largest accepted size fit).
constexpr long kMaxJpegMemory = 1L << 30;

// Decodes a JPEG file (baseline, progressive, arithmetic; grey, YCbCr, RGB,
// CMYK and YCCK) into a new bitmap with the reserved byte 255.
//
// A file cut short after its picture data began gives the decoded part, the
// rest filled grey by libjpeg (as other viewers do); a file that ends before
// any picture data is an error. Throws PictureError.
std::unique_ptr<raster::Bitmap> DecodeJpeg(const std::filesystem::path& path);

}  // namespace platform
