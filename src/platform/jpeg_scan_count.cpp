#include "platform/jpeg_scan_count.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <vector>

namespace platform {
namespace {

constexpr size_t kReadBlockBytes = 64 * 1024;

// Bytes of the file in order, read in blocks at our own offset so that the
// stream's position stays where the decoder expects it.
class ByteReader {
 public:
  explicit ByteReader(std::FILE* file) : fd_(::fileno(file)), block_(kReadBlockBytes) {}

  // The next byte, or -1 at the end of the file or on a read error.
  int Next() {
    if (at_ == filled_) {
      const ssize_t count = ::pread(fd_, block_.data(), block_.size(), off_t(offset_));
      if (count <= 0) return -1;
      offset_ += uint64_t(count);
      filled_ = size_t(count);
      at_ = 0;
    }
    return block_[at_++];
  }
  int Next16() {
    const int high = Next(), low = Next();
    return high < 0 || low < 0 ? -1 : high << 8 | low;
  }
  bool Skip(int count) {
    for (int i = 0; i < count; ++i) {
      if (Next() < 0) return false;
    }
    return true;
  }

 private:
  int fd_;
  std::vector<unsigned char> block_;
  uint64_t offset_ = 0;
  size_t filled_ = 0, at_ = 0;
};

bool IsProgressiveFrame(int marker) { return marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE; }
bool IsFrame(int marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}
bool IsStandalone(int marker) { return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7); }

// Blocks of each component of the frame, by component id (0 where absent).
using ComponentBlocks = std::array<uint64_t, 256>;

// Reads a frame header (after its length); false when it is unusable.
bool ReadFrame(ByteReader& in, int length, ComponentBlocks& blocks) {
  const int precision = in.Next(), height = in.Next16(), width = in.Next16(), count = in.Next();
  if (precision < 0 || height <= 0 || width <= 0 || count <= 0 || length != 8 + 3 * count) return false;
  struct Component {
    int id, h, v;
  };
  std::vector<Component> components;
  int hMax = 1, vMax = 1;
  for (int i = 0; i < count; ++i) {
    const int id = in.Next(), sampling = in.Next(), table = in.Next();
    if (id < 0 || table < 0) return false;
    const int h = sampling >> 4, v = sampling & 15;
    if (h < 1 || v < 1) return false;
    components.push_back({id, h, v});
    hMax = std::max(hMax, h), vMax = std::max(vMax, v);
  }
  // As libjpeg sizes them: the component's samples, rounded up to whole blocks.
  for (const Component& c : components) {
    const uint64_t across = (uint64_t(width) * c.h + uint64_t(hMax) * 8 - 1) / (uint64_t(hMax) * 8);
    const uint64_t down = (uint64_t(height) * c.v + uint64_t(vMax) * 8 - 1) / (uint64_t(vMax) * 8);
    blocks[size_t(c.id)] = across * down;
  }
  return true;
}

// Skips entropy-coded data up to the next marker; returns that marker or -1.
int SkipToMarker(ByteReader& in) {
  for (int byte = in.Next(); byte >= 0;) {
    if (byte != 0xFF) {
      byte = in.Next();
      continue;
    }
    int marker = in.Next();
    while (marker == 0xFF) marker = in.Next();
    if (marker < 0) return -1;
    if (marker != 0x00 && !(marker >= 0xD0 && marker <= 0xD7)) return marker;
    byte = in.Next();
  }
  return -1;
}

}  // namespace

JpegScanWork CountProgressiveScanWork(std::FILE* file, uint64_t stopAbove) {
  ByteReader in(file);
  if (in.Next() != 0xFF || in.Next() != 0xD8) return {};
  ComponentBlocks blocks{};
  bool frameSeen = false;
  JpegScanWork work;
  constexpr int kReadNext = -2;  // the next marker is still to be read; -1: the file ended
  int marker = kReadNext;
  for (;;) {
    if (marker == kReadNext) {
      int byte = in.Next();
      if (byte != 0xFF) return {};  // not a marker where one belongs: libjpeg's to judge
      while (byte == 0xFF) byte = in.Next();
      marker = byte;
    }
    if (marker < 0 || marker == 0xD9) return work;
    if (IsStandalone(marker)) {
      marker = kReadNext;
      continue;
    }
    const int length = in.Next16();
    if (length < 2) return {};
    if (IsFrame(marker)) {
      if (frameSeen || !IsProgressiveFrame(marker) || !ReadFrame(in, length, blocks)) return {};
      frameSeen = true;
      marker = kReadNext;
    } else if (marker == 0xDA) {
      const int count = in.Next();
      if (!frameSeen || count <= 0 || length != 6 + 2 * count) return {};
      for (int i = 0; i < count; ++i) {
        const int id = in.Next();
        if (id < 0 || in.Next() < 0) return {};
        work.blockVisits += blocks[size_t(id)];
      }
      ++work.scans;
      if (work.blockVisits > stopAbove || !in.Skip(3)) return work;
      marker = SkipToMarker(in);
    } else {
      if (!in.Skip(length - 2)) return {};
      marker = kReadNext;
    }
  }
}

}  // namespace platform
