#include "platform/picture_limits.h"

#include "platform/picture_error.h"

namespace platform {

void CheckPictureSize(const std::string& fileName, int64_t width, int64_t height) {
  const std::string size = std::to_string(width) + " × " + std::to_string(height);
  if (width <= 0 || height <= 0) throw PictureError(fileName, "picture " + size + " has no pixels");
  if (width > kMaxPictureSide || height > kMaxPictureSide) {
    throw PictureError(
        fileName, "picture " + size + " exceeds the largest side of " + std::to_string(kMaxPictureSide) + " pixels");
  }
  if (width * height > kMaxPicturePixels) {
    throw PictureError(fileName, "picture " + size + " exceeds the limit of " +
                                     std::to_string(kMaxPicturePixels / 1'000'000) + " megapixels");
  }
}

}  // namespace platform
