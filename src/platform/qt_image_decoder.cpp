#include "platform/qt_image_decoder.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QString>
#include <cstdio>
#include <cstring>

#include "platform/library_warnings.h"
#include "platform/picture_error.h"
#include "platform/picture_file.h"
#include "platform/picture_headers.h"
#include "platform/picture_limits.h"

namespace platform {
namespace {

// Qt's own cap on a decoded image, in megabytes: the largest accepted picture
// at 8 bytes per pixel (16-bit TIFF decodes to 64-bit pixels first).
constexpr int kQtAllocationLimitMb = int(kMaxPicturePixels * 8 / (1024 * 1024)) + 1;

std::string ReaderError(const QImageReader& reader) {
  const std::string text = reader.errorString().toStdString();
  return text.empty() ? "cannot be decoded" : text;
}

}  // namespace

std::unique_ptr<raster::Bitmap> DecodeWithQt(const std::filesystem::path& path, const char* format) {
  const std::string fileName = PictureFileName(path);
  InstallLibraryWarningFilter();
  // Qt reads the file opened and checked here, so a pipe or device never
  // reaches it and the file checked is the file decoded.
  const UniqueFile file = OpenPictureFile(path);
  if (std::strcmp(format, "bmp") == 0) CheckBmpHeader(fileName, file.get());
  if (std::strcmp(format, "ico") == 0) CheckIcoHeader(fileName, file.get());
  QFile device;
  if (!device.open(::fileno(file.get()), QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) {
    throw PictureError(fileName, "cannot open: " + device.errorString().toStdString());
  }
  QImageReader reader(&device, format);
  reader.setAllocationLimit(kQtAllocationLimitMb);
  reader.setAutoTransform(true);  // TIFF's orientation tag: upright, as JPEG photos are
  if (!reader.canRead()) throw PictureError(fileName, std::string("not a readable ") + format + " file");
  // The header's size is checked before anything is decoded; some readers
  // only know it afterwards, and the allocation limit covers those.
  const QSize size = reader.size();
  if (size.isValid()) CheckPictureSize(fileName, size.width(), size.height());

  QImage image;
  if (!reader.read(&image)) throw PictureError(fileName, ReaderError(reader));
  CheckPictureSize(fileName, image.width(), image.height());
  const bool opaque = !image.hasAlphaChannel();
  // ARGB32 lies in memory as blue, green, red, alpha: the bitmap's layout.
  image.convertTo(QImage::Format_ARGB32);
  if (image.isNull()) throw PictureError(fileName, "out of memory");

  auto bitmap = std::make_unique<raster::Bitmap>(image.width(), image.height());
  const size_t rowBytes = size_t(image.width()) * 4;
  for (int y = 0; y < image.height(); ++y) {
    uint32_t* row = bitmap->Row(y);
    std::memcpy(row, image.constScanLine(y), rowBytes);
    // A palette index outside the colour table comes out as 0 (transparent);
    // a picture without alpha must stay opaque.
    if (opaque) {
      for (int x = 0; x < image.width(); ++x) row[x] |= 0xFF000000u;
    }
  }
  return bitmap;
}

}  // namespace platform
