#pragma once
#include <cstdint>
#include <filesystem>

#include "platform/raster/placement.h"

namespace video_export {

// How the style changes from one photo to the next; the program's panel,
// command line and settings file use the same values.
enum class StyleOrder {
  Cycle = 0,  // catalogue order 1, 2, ... 172, 1, ...
  Random = 1,  // drawn per change (the export: from a generator started at `seed`)
  Fixed = 2,  // the style stays (the export: `style` for every change)
};

// How a photo fills the video frame, named after the view's switches.
enum class PhotoPlacement {
  Centre,  // natural size in the middle, cut where larger than the frame
  Stretch,  // exactly the frame, aspect ratio not kept
  Fit,  // scaled up or down until it touches two edges, aspect ratio kept
};

raster::PlacementRule RuleFor(PhotoPlacement placement);

// What a video may be made with: the export refuses anything outside, and
// the export dialog offers nothing outside.
inline constexpr int32_t kMaxVideoSide = 8192;
inline constexpr int32_t kMinFps = 1, kMaxFps = 240;
inline constexpr double kMaxIntervalSeconds = 3600;
inline constexpr int32_t kMaxTransitionMs = 60000;

struct ExportSettings {
  std::filesystem::path folder;
  std::filesystem::path output;  // .mp4, .mkv (H.264) or .webm (VP9)
  int32_t width = 1920, height = 1080;
  int32_t fps = 30;
  double intervalSeconds = 3.0;  // how long each photo stands still
  int32_t transitionMs = 1000;
  StyleOrder order = StyleOrder::Cycle;
  int32_t style = 1;  // for StyleOrder::Fixed: 0..effects::kEffectCount (0 cuts at the end of the transition time)
  uint32_t seed = 1;  // random style order; picture seed of the first transition
  PhotoPlacement placement = PhotoPlacement::Fit;
  uint32_t background = 0x000000;  // 0x00RRGGBB
  std::filesystem::path audio;  // empty: no sound track
  bool recursive = false;
};

// Frames a photo stands still for, and frames of one change between photos.
int64_t StillFrameCount(const ExportSettings& settings);
int64_t TransitionFrameCount(const ExportSettings& settings);

// Throws ExportError when a value cannot make a video: an odd or zero size,
// a frame rate or time out of range, an unknown extension, a style outside
// 0..effects::kEffectCount, a show of no frames.
void ValidateSettings(const ExportSettings& settings);

}  // namespace video_export
