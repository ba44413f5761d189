#include "export/muxed_output.h"

#include "export/export_error.h"

namespace video_export {

MuxedOutput::MuxedOutput(const std::filesystem::path& path, const VideoFormat& format)
    : path_(path), fastStart_(format.fastStart) {
  CheckAv(avformat_alloc_output_context2(&context_, nullptr, format.muxer, path.c_str()),
          "cannot prepare the " + std::string(format.muxer) + " container");
  const int opened = avio_open(&context_->pb, path.c_str(), AVIO_FLAG_WRITE);
  if (opened < 0) {
    avformat_free_context(context_);
    throw ExportError("cannot write '" + path.string() + "': " + AvErrorText(opened));
  }
}

MuxedOutput::~MuxedOutput() {
  avio_closep(&context_->pb);
  avformat_free_context(context_);
}

bool MuxedOutput::WantsGlobalHeader() const { return (context_->oformat->flags & AVFMT_GLOBALHEADER) != 0; }

void MuxedOutput::WriteHeader() {
  AVDictionary* options = nullptr;
  if (fastStart_) av_dict_set(&options, "movflags", "+faststart", 0);
  const std::unique_ptr<AVDictionary*, void (*)(AVDictionary**)> freeOptions(&options, av_dict_free);
  CheckAv(avformat_write_header(context_, &options), "cannot start the video file");
}

void MuxedOutput::WritePacket(AVPacket* packet, const AVStream* stream, AVRational codecTimeBase) {
  av_packet_rescale_ts(packet, codecTimeBase, stream->time_base);
  packet->stream_index = stream->index;
  CheckAv(av_interleaved_write_frame(context_, packet), "cannot write to '" + path_.string() + "'");
}

void MuxedOutput::WriteTrailer() {
  const std::string what = "cannot finish '" + path_.string() + "'";
  CheckAv(av_write_trailer(context_), what);
  avio_flush(context_->pb);
  CheckAv(context_->pb->error, what);
  CheckAv(avio_closep(&context_->pb), what);
}

}  // namespace video_export
