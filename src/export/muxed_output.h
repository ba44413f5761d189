#pragma once
#include <filesystem>

#include "export/av_handles.h"
#include "export/video_format.h"

namespace video_export {

// The container being written: streams are added by the encoders, then the
// header goes out, then packets, then the trailer.
class MuxedOutput {
 public:
  MuxedOutput(const std::filesystem::path& path, const VideoFormat& format);
  ~MuxedOutput();
  MuxedOutput(const MuxedOutput&) = delete;
  MuxedOutput& operator=(const MuxedOutput&) = delete;

  AVFormatContext* Context() { return context_; }
  // Whether encoders must put their headers in the stream parameters.
  bool WantsGlobalHeader() const;

  void WriteHeader();
  // Writes an encoded packet of `stream`, its timestamps in `codecTimeBase`.
  void WritePacket(AVPacket* packet, const AVStream* stream, AVRational codecTimeBase);
  void WriteTrailer();

 private:
  AVFormatContext* context_ = nullptr;
  std::filesystem::path path_;
  bool fastStart_;
};

}  // namespace video_export
