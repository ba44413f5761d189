#include "export/show_timeline.h"

#include "effects/catalogue.h"

namespace video_export {

ShowTimeline::ShowTimeline(const ExportSettings& s, int32_t photoCount)
    : still_(StillFrameCount(s)), transition_(TransitionFrameCount(s)), photos_(photoCount) {}

int64_t ShowTimeline::TotalFrames() const {
  if (photos_ <= 0) return 0;
  return photos_ * still_ + (photos_ - 1) * transition_;
}

int32_t ShowTimeline::ProgressOfFrame(int64_t k, int64_t n) {
  // 64-bit: long transitions at high frame rates overflow 100·k in 32 bits.
  return int32_t((200 * k + n) / (2 * n));
}

StylePicker::StylePicker(const ExportSettings& s) : order_(s.order), fixed_(s.style), random_(s.seed) {}

int32_t StylePicker::Next() {
  const int32_t change = changes_++;
  switch (order_) {
    case StyleOrder::Fixed: return fixed_;
    case StyleOrder::Random: return 1 + random_.Random(effects::kEffectCount);
    case StyleOrder::Cycle: break;
  }
  return 1 + change % effects::kEffectCount;
}

}  // namespace video_export
