#pragma once
#include <filesystem>

namespace platform {

// The EXIF Orientation tag of a JPEG file: 1..8, how the stored picture must
// be turned and mirrored to stand upright. 1 (as stored) when the file has
// no EXIF block, no tag, a value outside 1..8 (0 included) or a damaged
// block, and when the file cannot be read: the tag never stops a picture
// from loading.
int ReadExifOrientation(const std::filesystem::path& path);

}  // namespace platform
