#include "platform/picture_headers.h"

#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/picture_error.h"
#include "platform/picture_file.h"
#include "platform/picture_limits.h"

namespace platform {
namespace {

constexpr uint32_t kBmpCoreHeaderBytes = 12;  // the old 16-bit header
constexpr uint32_t kBmpRle8 = 1, kBmpRle4 = 2;
constexpr size_t kIcoEntryBytes = 16;

// Bytes at `offset`; fewer when the file ends sooner.
std::vector<uint8_t> ReadAt(std::FILE* file, uint64_t offset, size_t count) {
  std::vector<uint8_t> bytes(count);
  const ssize_t read = ::pread(::fileno(file), bytes.data(), count, off_t(offset));
  bytes.resize(read > 0 ? size_t(read) : 0);
  return bytes;
}

uint32_t Le16(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
uint32_t Le32(const uint8_t* p) { return Le16(p) | Le16(p + 2) << 16; }
uint32_t Be32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

struct DibSize {
  int64_t width = 0, height = 0;
  uint32_t bitsPerPixel = 0, compression = 0;
  bool known = false;
};

// The size fields of a DIB header (as in a BMP file after its 14-byte file
// header, or a BMP picture inside an icon).
DibSize ReadDibSize(const std::vector<uint8_t>& header) {
  DibSize dib;
  if (header.size() < 4) return dib;
  const uint32_t headerBytes = Le32(header.data());
  if (headerBytes == kBmpCoreHeaderBytes && header.size() >= 12) {
    dib = {Le16(&header[4]), Le16(&header[6]), Le16(&header[10]), 0, true};
  } else if (headerBytes >= 40 && header.size() >= 20) {
    const int64_t height = int32_t(Le32(&header[8]));
    dib = {int32_t(Le32(&header[4])), height < 0 ? -height : height, Le16(&header[14]), Le32(&header[16]), true};
  }
  return dib;
}

}  // namespace

void CheckBmpHeader(const std::string& fileName, std::FILE* file) {
  const std::vector<uint8_t> header = ReadAt(file, 0, 14 + 40);
  if (header.size() < 14 || header[0] != 'B' || header[1] != 'M') return;  // Qt reports it
  const DibSize dib = ReadDibSize(std::vector<uint8_t>(header.begin() + 14, header.end()));
  if (!dib.known) return;
  CheckPictureSize(fileName, dib.width, dib.height);

  const uint64_t fileBytes = OpenFileSize(file);
  const uint64_t dataStart = Le32(&header[10]);
  const uint64_t available = fileBytes > dataStart ? fileBytes - dataStart : 0;
  const uint64_t pixels = uint64_t(dib.width) * uint64_t(dib.height);
  uint64_t needed;
  if (dib.compression == kBmpRle8 || dib.compression == kBmpRle4) {
    needed = (pixels + 254) / 255 * 2;
  } else {
    const uint64_t rowBytes = (uint64_t(dib.width) * dib.bitsPerPixel + 31) / 32 * 4;
    needed = rowBytes * uint64_t(dib.height);
  }
  if (available < needed) {
    throw PictureError(fileName, "picture " + std::to_string(dib.width) + " × " + std::to_string(dib.height) +
                                     " needs " + std::to_string(needed) + " bytes of pixel data, the file holds " +
                                     std::to_string(available));
  }
}

void CheckIcoHeader(const std::string& fileName, std::FILE* file) {
  const std::vector<uint8_t> header = ReadAt(file, 0, 6);
  if (header.size() < 6) return;  // Qt reports it
  const uint32_t count = Le16(&header[4]);
  const std::vector<uint8_t> entries = ReadAt(file, 6, count * kIcoEntryBytes);
  for (size_t at = 0; at + kIcoEntryBytes <= entries.size(); at += kIcoEntryBytes) {
    const uint64_t offset = Le32(&entries[at + 12]);
    const std::vector<uint8_t> picture = ReadAt(file, offset, 40);
    static const uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (picture.size() >= 24 && std::memcmp(picture.data(), kPngSignature, 8) == 0) {
      CheckPictureSize(fileName, Be32(&picture[16]), Be32(&picture[20]));
    } else {
      const DibSize dib = ReadDibSize(picture);
      // An icon's DIB height counts the colour rows and the mask rows. An
      // entry without pixels is left for Qt to report.
      if (dib.known && dib.width > 0 && dib.height > 1) CheckPictureSize(fileName, dib.width, dib.height / 2);
    }
  }
}

}  // namespace platform
