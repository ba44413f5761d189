#pragma once
#include <string>
#include <vector>

#include "export/export_settings.h"

namespace tools {

// Whether the command line asks for a video (it names --slideshow).
bool WantsSlideshow(const std::vector<std::string>& args);

// Parses --slideshow DIR --video OUT and the options of the video; throws
// UsageError with a one-line message on anything unknown, missing or
// malformed. Values that are well-formed but unusable (an odd size) are the
// export's to refuse.
video_export::ExportSettings ParseSlideshowOptions(const std::vector<std::string>& args);

}  // namespace tools
