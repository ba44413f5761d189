#pragma once
#include <filesystem>

namespace video_export {

// What the output file's extension asks for.
struct VideoFormat {
  const char* muxer;  // libavformat's short name
  const char* videoEncoder;  // libavcodec encoder name
  const char* audioEncoder;
  bool fastStart;  // move the index to the front (MP4)
};

// .mp4 and .mkv: H.264 with AAC sound; .webm: VP9 with Opus sound (the WebM
// container carries no AAC). Case does not matter. Throws ExportError for any
// other extension.
VideoFormat FormatForOutput(const std::filesystem::path& output);

}  // namespace video_export
