#pragma once
#include <cstdint>
#include <string>

namespace platform {

// Largest picture any decoder accepts. Sizes come from the file's header and
// are checked before a pixel buffer is allocated, so a hostile header cannot
// make us allocate gigabytes.
constexpr int64_t kMaxPicturePixels = 100'000'000;
constexpr int64_t kMaxPictureSide = 65535;
// Largest picture file read at all: the accepted picture stored without
// compression at 16 bits per channel with alpha, plus room for metadata. A
// larger file cannot hold an accepted picture and is refused unread.
constexpr uint64_t kMaxPictureFileBytes = uint64_t(kMaxPicturePixels) * 8 + (64u << 20);

// Throws PictureError unless a picture of width × height may be decoded.
void CheckPictureSize(const std::string& fileName, int64_t width, int64_t height);

}  // namespace platform
