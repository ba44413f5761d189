#include "export/encoded_stream.h"

#include <new>

#include "export/export_error.h"

namespace video_export {

EncodedStream::EncodedStream(MuxedOutput& output, const char* encoder, const std::string& kind,
                             const TConfigure& configure)
    : output_(output), failure_("cannot encode the " + kind), packet_(NewPacket()) {
  const AVCodec* codec = avcodec_find_encoder_by_name(encoder);
  if (codec == nullptr) throw ExportError("the " + kind + " encoder " + encoder + " is missing");
  stream_ = avformat_new_stream(output.Context(), nullptr);
  if (stream_ == nullptr) throw std::bad_alloc();
  codec_.reset(avcodec_alloc_context3(codec));
  if (!codec_) throw std::bad_alloc();
  AVCodecContext* c = codec_.get();
  configure(c, codec);
  if (output.WantsGlobalHeader()) c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  CheckAv(avcodec_open2(c, codec, nullptr), "cannot open the " + kind + " encoder " + encoder);
  CheckAv(avcodec_parameters_from_context(stream_->codecpar, c), "cannot describe the " + kind + " stream");
  stream_->time_base = c->time_base;
  if (c->framerate.num > 0) stream_->avg_frame_rate = c->framerate;
}

void EncodedStream::Send(const AVFrame* frame) {
  CheckAv(avcodec_send_frame(codec_.get(), frame), failure_);
  for (;;) {
    const int got = avcodec_receive_packet(codec_.get(), packet_.get());
    if (got == AVERROR(EAGAIN) || got == AVERROR_EOF) return;
    CheckAv(got, failure_);
    output_.WritePacket(packet_.get(), stream_, codec_->time_base);
    av_packet_unref(packet_.get());
  }
}

}  // namespace video_export
