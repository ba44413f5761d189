#pragma once
#include <cstdio>
#include <string>

namespace platform {

// Checks, from the headers alone, what a BMP or ICO file claims before Qt
// decodes it: Qt allocates the whole picture before it reads the pixels, so a
// file of a few bytes claiming 90 megapixels, or an icon holding a picture
// beyond the accepted size, would cost a second and gigabytes of memory.
// Throws PictureError; reads through `file` without moving its position.

// The picture size is accepted, and the file holds enough pixel data for it:
// every row when uncompressed; for run-length coding at least two bytes for
// every 255 pixels (the most one run code covers).
void CheckBmpHeader(const std::string& fileName, std::FILE* file);

// Every picture the icon holds (PNG or BMP) has an accepted size.
void CheckIcoHeader(const std::string& fileName, std::FILE* file);

}  // namespace platform
