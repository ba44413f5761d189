#pragma once
// The golden frame table: every catalogue style rendered at a few fixed sizes
// and progress values from fixed pictures, picture seed and generator state,
// each frame reduced to a checksum. The table kept in golden_frames.txt is what
// the effects drew when it was last regenerated (scripts/update-golden-frames);
// any change to a frame shows up as a changed checksum.
#include <cstdint>
#include <istream>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "platform/raster/bitmap.h"

namespace golden_frames {

struct FrameCase {
  int32_t w, h, progress;
};

// The frames of one style, in table column order.
const std::vector<FrameCase>& Cases();
// "331x229@9" and so on.
std::string ColumnName(const FrameCase& c);

// 64-bit FNV-1a over the pixel bytes in memory order.
uint64_t Checksum(const raster::Bitmap& b);

// The checksums of every case of one style, rendered now.
std::vector<uint64_t> RenderStyle(int32_t style);

// Writes the whole table for styles 1..172.
void WriteTable(std::ostream& out);

// A table as read back: the column header and one row of checksums per style.
struct Table {
  std::vector<std::string> columns;
  std::map<int32_t, std::vector<uint64_t>> rows;
};
// Throws std::runtime_error on a malformed table.
Table ReadTable(std::istream& in);

}  // namespace golden_frames
