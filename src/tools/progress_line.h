#pragma once
#include <chrono>
#include <cstdio>

#include "export/slideshow_export.h"

namespace tools {

// Shows an export's progress on a stream: on a terminal a one-line bar
// (frames done / total, frames per second, time left) redrawn in place; on
// anything else nothing until the summary.
class ProgressLine : public video_export::ExportObserver {
 public:
  explicit ProgressLine(std::FILE* stream);
  void OnProgress(const video_export::ExportProgress& p) override;
  void OnWarning(const std::string& text) override;
  // Ends the bar's line, if one is shown.
  void Close();

 private:
  std::FILE* stream_;
  bool terminal_;
  bool shown_ = false;
  std::chrono::steady_clock::time_point lastDrawn_{};
};

}  // namespace tools
