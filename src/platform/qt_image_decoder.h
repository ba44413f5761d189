#pragma once
#include <filesystem>
#include <memory>

#include "platform/raster/bitmap.h"

namespace platform {

// Decodes a picture through Qt's image readers (used for bmp, ico, tif,
// tiff). `format` is the reader's format name ("bmp", "ico", "tiff"); the
// file is read as that format whatever its content. Multi-picture files give
// their first picture. Alpha is straight (not premultiplied), 255 where the
// picture is opaque. Throws PictureError.
std::unique_ptr<raster::Bitmap> DecodeWithQt(const std::filesystem::path& path, const char* format);

}  // namespace platform
