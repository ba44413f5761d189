#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>

#include "platform/raster/bitmap.h"
#include "platform/raster/size.h"

namespace platform {

// Most scans a progressive JPEG may have. Real encoders write about ten;
// hostile files with thousands of tiny scans would otherwise take minutes.
constexpr int kMaxJpegScans = 1000;
// Most blocks (8 × 8 samples of one component) a file's scans may visit in
// all: a scan costs time in proportion to the blocks it covers, whatever its
// size in the file. Enough for an ordinary progressive script over the largest
// accepted picture (the ten scans of the usual script visit each block of a
// 100-megapixel 4:4:4 picture 14 times, 22 million visits); a file with many
// scans over a large picture is refused.
constexpr uint64_t kMaxJpegBlockVisits = 24'000'000;
// Memory libjpeg may take for its own buffers (the coefficients of a
// progressive picture of the largest accepted size fit).
constexpr long kMaxJpegMemory = 1L << 30;

// Decodes a JPEG file (baseline, progressive, arithmetic; grey, YCbCr, RGB,
// CMYK and YCCK) into a new bitmap with the reserved byte 255.
//
// A file cut short after its picture data began gives the decoded part, the
// rest filled grey by libjpeg (as other viewers do); a file that ends before
// any picture data is an error. Throws PictureError.
//
// With a size to cover (both sides above 0) the picture is decoded at the
// smallest of the scales 1/8, 2/8 .. 8/8 whose result is at least that wide
// and that high (libjpeg scales in the frequency domain, which smooths as it
// reduces and skips most of the work); a picture smaller than the size comes
// at full size. Without one, or with 0 × 0, it comes at full size.
std::unique_ptr<raster::Bitmap> DecodeJpeg(const std::filesystem::path& path, raster::Size cover = {});

}  // namespace platform
