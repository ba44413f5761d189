#pragma once
#include <QImage>
#include <memory>

#include "platform/raster/bitmap.h"

namespace app {

// A copy of a Qt image as a 32-bit bitmap (blue, green, red, alpha bytes), for
// pictures the program carries as resources rather than as files.
std::unique_ptr<raster::Bitmap> BitmapFromImage(const QImage& image);

}  // namespace app
