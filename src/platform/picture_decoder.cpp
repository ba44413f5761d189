#include "platform/picture_decoder.h"

#include <algorithm>
#include <array>
#include <string>

#include "platform/ascii_text.h"
#include "platform/exif_orientation.h"
#include "platform/jpeg_decoder.h"
#include "platform/picture_error.h"
#include "platform/picture_file.h"
#include "platform/png_decoder.h"
#include "platform/qt_image_decoder.h"
#include "platform/raster/orientation.h"

namespace platform {
namespace {

enum class Decoder { Jpeg, Png, QtBmp, QtIco, QtTiff };

struct PictureType {
  std::string_view extension;
  Decoder decoder;
};

constexpr std::array<PictureType, 7> kPictureTypes{{
    {"jpg", Decoder::Jpeg},
    {"jpeg", Decoder::Jpeg},
    {"png", Decoder::Png},
    {"bmp", Decoder::QtBmp},
    {"ico", Decoder::QtIco},
    {"tif", Decoder::QtTiff},
    {"tiff", Decoder::QtTiff},
}};

constexpr std::array<std::string_view, kPictureTypes.size()> kExtensions = [] {
  std::array<std::string_view, kPictureTypes.size()> extensions{};
  for (size_t i = 0; i < kPictureTypes.size(); ++i) extensions[i] = kPictureTypes[i].extension;
  return extensions;
}();

const PictureType* FindPictureType(const std::filesystem::path& name) {
  std::string extension = name.extension().string();
  if (extension.size() < 2) return nullptr;
  extension.erase(0, 1);  // the dot
  for (const PictureType& type : kPictureTypes) {
    if (platform::EqualIgnoringCase(extension, type.extension)) return &type;
  }
  return nullptr;
}

// Cameras store a photo as the sensor saw it and say in an EXIF tag how to
// turn it; every caller gets the picture upright, at its upright size. The
// size to cover is upright too: turned a quarter, the stored picture covers
// it with its sides swapped.
std::unique_ptr<raster::Bitmap> UprightJpeg(const std::filesystem::path& path, raster::Size cover) {
  const int orientation = ReadExifOrientation(path);
  if (orientation == 1) return DecodeJpeg(path, cover);
  const bool swaps = orientation >= 5;
  const auto stored = DecodeJpeg(path, swaps ? raster::Size{cover.height, cover.width} : cover);
  return std::make_unique<raster::Bitmap>(raster::Oriented(*stored, orientation));
}

}  // namespace

std::span<const std::string_view> ReadablePictureExtensions() { return kExtensions; }

bool IsReadablePictureName(std::string_view fileName) {
  return FindPictureType(std::filesystem::path(fileName)) != nullptr;
}

std::unique_ptr<raster::Bitmap> DecodePicture(const std::filesystem::path& path, raster::Size cover) {
  const PictureType* type = FindPictureType(path.filename());
  if (!type) {
    throw PictureError(PictureFileName(path), "unknown picture type \"" + path.extension().string() + "\"");
  }
  switch (type->decoder) {
    case Decoder::Jpeg: return UprightJpeg(path, cover);
    case Decoder::Png: return DecodePng(path);
    case Decoder::QtBmp: return DecodeWithQt(path, "bmp");
    case Decoder::QtIco: return DecodeWithQt(path, "ico");
    case Decoder::QtTiff: return DecodeWithQt(path, "tiff");
  }
  throw PictureError(PictureFileName(path), "no decoder");
}

}  // namespace platform
