// Edge, corner and centre wipes, unrolls and build-ups, pushes and squeezes.
#include "frame_harness.h"

namespace {

std::vector<int32_t> WipeStyles() {
  std::vector<int32_t> styles;
  for (int32_t s = 1; s <= 57; ++s) styles.push_back(s);
  for (int32_t s = 129; s <= 136; ++s) styles.push_back(s);
  return styles;
}

const bool registered = (bench::RegisterStyleBenchmarks(WipeStyles()), true);

}  // namespace
