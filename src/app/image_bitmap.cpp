#include "app/image_bitmap.h"

#include <QtGlobal>
#include <cstring>

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "ARGB32 words are stored as blue, green, red, alpha bytes");

namespace app {

std::unique_ptr<raster::Bitmap> BitmapFromImage(const QImage& image) {
  // ARGB32 is stored as one native 32-bit word per pixel, 0xAARRGGBB: on a
  // little-endian machine the bytes blue, green, red, alpha the bitmap holds.
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  auto bitmap = std::make_unique<raster::Bitmap>(argb.width(), argb.height());
  const size_t rowBytes = size_t(argb.width()) * sizeof(uint32_t);
  for (int y = 0; y < argb.height(); ++y) std::memcpy(bitmap->Row(y), argb.constScanLine(y), rowBytes);
  return bitmap;
}

}  // namespace app
