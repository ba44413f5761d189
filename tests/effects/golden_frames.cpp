#include "golden_frames.h"

#include <iomanip>
#include <sstream>
#include <stdexcept>

#include "effects/catalogue.h"
#include "effects/frame_rule.h"
#include "platform/raster/random.h"

namespace golden_frames {
namespace {

// A landscape and a portrait size, both odd and no multiple of any vector
// width; the two picture seeds differ in their lowest bit, which chooses the
// turning direction of the rotating styles.
struct SizeCase {
  int32_t w, h;
  uint32_t pictureSeed;
};
constexpr SizeCase kSizes[] = {{643, 419, 0x5EED2A10u}, {149, 211, 0x5EED2A11u}};
constexpr int32_t kProgress[] = {9, 46, 91};
constexpr uint32_t kSharedSeed = 0x600DF00Du;

// Every pixel a different-looking 32-bit value, so a frame's checksum depends on
// exactly which source pixel lands where, in all four bytes.
uint32_t Mix(uint32_t v) {
  v ^= v >> 16;
  v *= 0x7FEB352Du;
  v ^= v >> 15;
  v *= 0x846CA68Bu;
  v ^= v >> 16;
  return v;
}

void FillPicture(raster::Bitmap& b, uint32_t salt) {
  for (int32_t y = 0; y < b.Height(); ++y) {
    for (int32_t x = 0; x < b.Width(); ++x) {
      b.SetPixel(x, y, Mix(uint32_t(x) * 0x9E3779B1u ^ uint32_t(y) * 0x85EBCA77u ^ salt));
    }
  }
}

}  // namespace

const std::vector<FrameCase>& Cases() {
  static const std::vector<FrameCase> cases = [] {
    std::vector<FrameCase> all;
    for (const SizeCase& s : kSizes) {
      for (const int32_t p : kProgress) all.push_back({s.w, s.h, p});
    }
    return all;
  }();
  return cases;
}

std::string ColumnName(const FrameCase& c) {
  return std::to_string(c.w) + "x" + std::to_string(c.h) + "@" + std::to_string(c.progress);
}

uint64_t Checksum(const raster::Bitmap& b) {
  uint64_t hash = 0xCBF29CE484222325ull;
  for (size_t i = 0; i < b.PixelCount(); ++i) {
    const uint32_t pixel = b.Bits()[i];
    for (int byte = 0; byte < 4; ++byte) {
      hash ^= (pixel >> (8 * byte)) & 0xFFu;
      hash *= 0x100000001B3ull;
    }
  }
  return hash;
}

std::vector<uint64_t> RenderStyle(int32_t style) {
  std::vector<uint64_t> sums;
  for (const SizeCase& s : kSizes) {
    raster::Bitmap oldPicture(s.w, s.h), newPicture(s.w, s.h), display(s.w, s.h);
    FillPicture(oldPicture, 0x01D0u);
    FillPicture(newPicture, 0x0E3Bu);
    newPicture.SetHandle(s.pictureSeed);
    for (const int32_t progress : kProgress) {
      display.Assign(oldPicture);
      raster::RandSeed = kSharedSeed;
      effects::DrawEffectFrame(display, newPicture, s.w, s.h, style, progress);
      sums.push_back(Checksum(display));
    }
  }
  return sums;
}

void WriteTable(std::ostream& out) {
  out << "# Checksums of every style's frames; written by scripts/update-golden-frames.\n";
  out << "style";
  for (const FrameCase& c : Cases()) out << ' ' << ColumnName(c);
  out << '\n';
  for (int32_t style = 1; style <= effects::kEffectCount; ++style) {
    out << std::setw(3) << std::setfill('0') << style;
    for (const uint64_t sum : RenderStyle(style)) out << ' ' << std::hex << std::setw(16) << sum << std::dec;
    out << '\n';
  }
}

Table ReadTable(std::istream& in) {
  Table table;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string first;
    fields >> first;
    if (first == "style") {
      for (std::string column; fields >> column;) table.columns.push_back(column);
      continue;
    }
    const int32_t style = std::stoi(first);
    std::vector<uint64_t>& row = table.rows[style];
    for (std::string sum; fields >> sum;) row.push_back(std::stoull(sum, nullptr, 16));
    if (row.size() != table.columns.size()) {
      throw std::runtime_error("golden table row " + first + " has " + std::to_string(row.size()) + " checksums for " +
                               std::to_string(table.columns.size()) + " columns");
    }
  }
  return table;
}

}  // namespace golden_frames
