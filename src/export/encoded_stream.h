#pragma once
#include <functional>
#include <string>

#include "export/av_handles.h"
#include "export/muxed_output.h"

namespace video_export {

// An encoder and the stream of the output it feeds, set up together and fed
// by one send-and-drain loop, for pictures and sound alike.
class EncodedStream {
 public:
  // Sets the encoder's parameters (size, rate, format...) before it opens.
  using TConfigure = std::function<void(AVCodecContext*, const AVCodec*)>;

  // Adds a stream to `output` (before its header is written) encoded by the
  // libavcodec encoder `encoder`; `kind` ("video", "sound") names it in
  // messages. Throws ExportError when the encoder is missing or refuses.
  EncodedStream(MuxedOutput& output, const char* encoder, const std::string& kind, const TConfigure& configure);

  AVCodecContext* Codec() const { return codec_.get(); }
  // Hands a frame to the encoder (nullptr: the end, which drains it) and
  // writes every packet it gives back.
  void Send(const AVFrame* frame);

 private:
  MuxedOutput& output_;
  std::string failure_;  // what a failed encoding says
  AVStream* stream_ = nullptr;
  CodecContextPtr codec_;
  PacketPtr packet_;
};

}  // namespace video_export
