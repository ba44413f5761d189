#include "export/export_settings.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "export/export_error.h"
#include "export/show_timeline.h"
#include "export/video_format.h"

namespace video_export {

raster::PlacementRule RuleFor(PhotoPlacement placement) {
  switch (placement) {
    case PhotoPlacement::Centre: return {.center = true, .stretch = false, .proportional = false};
    case PhotoPlacement::Stretch: return {.center = true, .stretch = true, .proportional = false};
    case PhotoPlacement::Fit: break;
  }
  return {.center = true, .stretch = true, .proportional = true};
}

namespace {

constexpr int32_t kMaxSide = 8192;

void Require(bool ok, const std::string& message) {
  if (!ok) throw ExportError(message);
}

}  // namespace

void ValidateSettings(const ExportSettings& s) {
  const std::string size = std::to_string(s.width) + "x" + std::to_string(s.height);
  Require(s.width > 0 && s.height > 0 && s.width <= kMaxSide && s.height <= kMaxSide,
          "video size " + size + " is out of range (each side 2.." + std::to_string(kMaxSide) + ")");
  Require(s.width % 2 == 0 && s.height % 2 == 0, "video size " + size + " must have even sides");
  Require(s.fps >= 1 && s.fps <= 240, "frame rate " + std::to_string(s.fps) + " is out of range (1..240)");
  Require(s.intervalSeconds >= 0 && s.intervalSeconds <= 3600, "interval must be 0..3600 seconds");
  Require(s.transitionMs >= 0 && s.transitionMs <= 60000, "transition time must be 0..60000 ms");
  Require(s.order != StyleOrder::Fixed || (s.style >= 0 && s.style <= 172),
          "style " + std::to_string(s.style) + " does not exist (0..172)");
  FormatForOutput(s.output);  // throws on an unknown extension
  const ShowTimeline timeline(s, 2);
  Require(timeline.StillFrames() + timeline.TransitionFrames() > 0,
          "the interval and transition time give no frames to show");
}

}  // namespace video_export
