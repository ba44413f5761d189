// Frame cost of every catalogue style, as multiples of one memcpy of the
// frame. A style without a procedure is left out, so the program runs at any
// stage of the catalogue.
#include <vector>

#include "effects/catalogue.h"
#include "frame_harness.h"

namespace {

std::vector<int32_t> StylesWithProcedures() {
  std::vector<int32_t> styles;
  for (int32_t style = 1; style <= effects::kEffectCount; ++style) {
    if (effects::VantrelEffects[style].Proc != nullptr) styles.push_back(style);
  }
  return styles;
}

const bool registered = (bench::RegisterStyleBenchmarks(StylesWithProcedures()), true);

}  // namespace
