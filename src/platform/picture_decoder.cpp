#include "platform/picture_decoder.h"

#include <algorithm>
#include <array>
#include <string>

#include "platform/ascii_text.h"
#include "platform/jpeg_decoder.h"
#include "platform/picture_error.h"
#include "platform/picture_file.h"
#include "platform/png_decoder.h"
#include "platform/qt_image_decoder.h"

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

}  // namespace

std::span<const std::string_view> ReadablePictureExtensions() { return kExtensions; }

bool IsReadablePictureName(std::string_view fileName) {
  return FindPictureType(std::filesystem::path(fileName)) != nullptr;
}

std::unique_ptr<raster::Bitmap> DecodePicture(const std::filesystem::path& path, raster::Size cover) {
  const PictureType* type = FindPictureType(path.filename());
  if (!type) {
    throw PictureError(PictureFileName(path),
                       "unknown picture type \"" + path.extension().string() + "\"");
  }
  switch (type->decoder) {
    case Decoder::Jpeg: return DecodeJpeg(path, cover);
    case Decoder::Png: return DecodePng(path);
    case Decoder::QtBmp: return DecodeWithQt(path, "bmp");
    case Decoder::QtIco: return DecodeWithQt(path, "ico");
    case Decoder::QtTiff: return DecodeWithQt(path, "tiff");
  }
  throw PictureError(PictureFileName(path), "no decoder");
}

}  // namespace platform
