#pragma once
#include <cstdint>
#include <cstdio>

namespace platform {

// How much work the scans of a progressive JPEG file ask for, read from its
// frame and scan headers alone (the entropy-coded data is skipped, nothing is
// decoded or allocated): the blocks each scan covers, summed over the scans.
struct JpegScanWork {
  int scans = 0;
  uint64_t blockVisits = 0;
};

// Counts until the sum passes `stopAbove`. A file that is not progressive,
// or whose headers cannot be followed, gives an empty count: libjpeg then
// decodes or reports it as usual. Reads through `file` without moving its
// position.
JpegScanWork CountProgressiveScanWork(std::FILE* file, uint64_t stopAbove);

}  // namespace platform
