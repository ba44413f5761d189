#pragma once
#include <cstdint>
#include <stop_token>
#include <string>

#include "export/export_settings.h"

namespace video_export {

struct ExportProgress {
  int64_t framesDone = 0;
  int64_t framesTotal = 0;  // grows smaller when a photo cannot be loaded
  double framesPerSecond = 0;
  double secondsLeft = 0;
};

// What an export reports while it runs, on the thread that runs it.
class ExportObserver {
 public:
  virtual ~ExportObserver() = default;
  virtual void OnProgress(const ExportProgress&) {}
  // A photo that was skipped, and why.
  virtual void OnWarning(const std::string&) {}
};

struct ExportSummary {
  int32_t photos = 0;  // photos in the video
  int32_t skipped = 0;  // photos that could not be loaded
  int64_t frames = 0;
  double seconds = 0;  // video length
  double framesPerSecond = 0;  // frames made per second of work
};

// Makes the video that settings.output names from the photos of
// settings.folder: each photo placed on a frame of the video's size, still
// for the interval, then the next one brought in by the style's frames.
// The file appears only when complete. Throws ExportError on bad input (then
// nothing is written) and ExportCancelled when `stop` is requested.
ExportSummary ExportSlideshow(const ExportSettings& settings, ExportObserver& observer, std::stop_token stop = {});

}  // namespace video_export
