#include "export/video_format.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "export/export_error.h"

namespace video_export {

VideoFormat FormatForOutput(const std::filesystem::path& output) {
  std::string ext = output.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  if (ext == ".mp4") return {"mp4", "libx264", "aac", true};
  if (ext == ".mkv") return {"matroska", "libx264", "aac", false};
  if (ext == ".webm") return {"webm", "libvpx-vp9", "libopus", false};
  throw ExportError("cannot tell the video format of '" + output.filename().string() +
                    "': use a name ending in .mp4, .mkv or .webm");
}

}  // namespace video_export
