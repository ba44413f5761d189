#include "export/encoder_memory.h"

#include <algorithm>

namespace video_export {
namespace {

constexpr double kBaseBytes = 70e6;
constexpr double kBytesPerPixel = 90;
constexpr double kBytesPerPixelPerLookAheadFrame = 2.2;
constexpr int32_t kDefaultLookAhead = 25;

}  // namespace

int64_t MaxVp9Pixels() { return int64_t((kExportMemoryBudgetBytes - kBaseBytes) / kBytesPerPixel); }

int32_t Vp9LookAheadFrames(int32_t width, int32_t height) {
  const double pixels = double(width) * double(height);
  const double spare = (kExportMemoryBudgetBytes - kBaseBytes) / pixels - kBytesPerPixel;
  return std::clamp(int32_t(spare / kBytesPerPixelPerLookAheadFrame), 0, kDefaultLookAhead);
}

}  // namespace video_export
