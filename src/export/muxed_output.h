#pragma once
#include <filesystem>
#include <memory>

#include "export/av_handles.h"
#include "export/video_format.h"

namespace video_export {

// The container being written: streams are added by the encoders, then the
// header goes out, then packets, then the trailer.
class MuxedOutput {
 public:
  // Writes to `path`; messages name `shownName`, the file the user asked for
  // (the path written may be a temporary one).
  MuxedOutput(const std::filesystem::path& path, const std::filesystem::path& shownName, const VideoFormat& format);

  AVFormatContext* Context() { return context_.get(); }
  // Whether encoders must put their headers in the stream parameters.
  bool WantsGlobalHeader() const;

  void WriteHeader();
  // Writes an encoded packet of `stream`, its timestamps in `codecTimeBase`.
  void WritePacket(AVPacket* packet, const AVStream* stream, AVRational codecTimeBase);
  void WriteTrailer();

 private:
  OutputFormatPtr context_;
  std::filesystem::path shownName_;
  bool fastStart_;
};

}  // namespace video_export
