#pragma once
#include <cstdint>

#include "export/export_settings.h"
#include "platform/raster/random.h"

namespace video_export {

// Frame counts of a show: each photo stands still for StillFrames(), and each
// change between two photos takes TransitionFrames(). The show starts on the
// first photo and ends on the last one.
class ShowTimeline {
 public:
  ShowTimeline(const ExportSettings& settings, int32_t photoCount);

  int64_t StillFrames() const { return still_; }
  int64_t TransitionFrames() const { return transition_; }
  int64_t TotalFrames() const;

  // Progress of transition frame k (1..n of n): round(100·k/n), so the last
  // frame of a change shows the new photo whole.
  static int32_t ProgressOfFrame(int64_t k, int64_t n);

 private:
  int64_t still_, transition_;
  int32_t photos_;
};

// The style of each change, in order.
class StylePicker {
 public:
  explicit StylePicker(const ExportSettings& settings);
  int32_t Next();

 private:
  StyleOrder order_;
  int32_t fixed_;
  int32_t changes_ = 0;
  raster::TPinnedRandom random_;
};

}  // namespace video_export
