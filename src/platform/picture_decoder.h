#pragma once
#include <filesystem>
#include <memory>
#include <span>
#include <string_view>

#include "platform/raster/bitmap.h"
#include "platform/raster/size.h"

namespace platform {

// Extensions (lower case, without the dot) of the picture files DecodePicture
// reads: jpg, jpeg, png, bmp, ico, tif, tiff.
std::span<const std::string_view> ReadablePictureExtensions();

// Whether a file name's extension, compared without regard to case, is one
// DecodePicture reads. "photo.JPG" is; "photo.gif", "photo.jpe", ".jpg" (a
// name without extension) are not.
bool IsReadablePictureName(std::string_view fileName);

// Decodes a picture file into a new 32-bit bitmap, choosing the decoder by the
// file's extension without regard to case. The reserved byte of each pixel
// holds alpha (255 where opaque). Throws PictureError (a std::runtime_error)
// naming the file and the cause; pictures larger than kMaxPicturePixels or
// kMaxPictureSide are refused before their pixels are allocated.
//
// `cover` is the largest size the picture will be shown at (a screen): a JPEG
// is then decoded at the smallest reduced scale that still covers it (see
// DecodeJpeg); other types come at full size. 0 × 0 asks for full size.
std::unique_ptr<raster::Bitmap> DecodePicture(const std::filesystem::path& path, raster::Size cover = {});

}  // namespace platform
