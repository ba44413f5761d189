#include "export/export_settings.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

#include "effects/catalogue.h"
#include "export/encoder_memory.h"
#include "export/export_error.h"
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

void Require(bool ok, const std::string& message) {
  if (!ok) throw ExportError(message);
}

}  // namespace

int64_t StillFrameCount(const ExportSettings& s) { return std::llround(s.intervalSeconds * s.fps); }

int64_t TransitionFrameCount(const ExportSettings& s) { return std::llround(double(s.transitionMs) * s.fps / 1000.0); }

void ValidateSettings(const ExportSettings& s) {
  const std::string size = std::to_string(s.width) + "x" + std::to_string(s.height);
  Require(s.width > 0 && s.height > 0 && s.width <= kMaxVideoSide && s.height <= kMaxVideoSide,
          "video size " + size + " is out of range (each side 2.." + std::to_string(kMaxVideoSide) + ")");
  Require(s.width % 2 == 0 && s.height % 2 == 0, "video size " + size + " must have even sides");
  Require(s.fps >= kMinFps && s.fps <= kMaxFps, "frame rate " + std::to_string(s.fps) + " is out of range (" +
                                                    std::to_string(kMinFps) + ".." + std::to_string(kMaxFps) + ")");
  Require(s.intervalSeconds >= 0 && s.intervalSeconds <= kMaxIntervalSeconds,
          "interval must be 0.." + std::to_string(int(kMaxIntervalSeconds)) + " seconds");
  Require(s.transitionMs >= 0 && s.transitionMs <= kMaxTransitionMs,
          "transition time must be 0.." + std::to_string(kMaxTransitionMs) + " ms");
  const std::string styles = "0.." + std::to_string(effects::kEffectCount);
  Require(s.order != StyleOrder::Fixed || (s.style >= 0 && s.style <= effects::kEffectCount),
          "style " + std::to_string(s.style) + " does not exist (" + styles + ")");
  const VideoFormat format = FormatForOutput(s.output);  // throws on an unknown extension
  Require(std::string(format.videoEncoder) != "libvpx-vp9" || int64_t(s.width) * s.height <= MaxVp9Pixels(),
          "a WebM (VP9) video of " + size + " would need more than " +
              std::to_string(int(kExportMemoryBudgetBytes / 1e9)) + " GB of memory; the largest is " +
              std::to_string(MaxVp9Pixels() / 1000000) + " million pixels (4096x4096 fits): choose a smaller size " +
              "or .mp4");
  Require(StillFrameCount(s) + TransitionFrameCount(s) > 0, "the interval and transition time give no frames to show");
}

}  // namespace video_export
