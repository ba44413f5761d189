#include "export/muxed_output.h"

#include "export/export_error.h"

namespace video_export {

MuxedOutput::MuxedOutput(const std::filesystem::path& path, const std::filesystem::path& shownName,
                         const VideoFormat& format)
    : shownName_(shownName), fastStart_(format.fastStart) {
  AVFormatContext* context = nullptr;
  CheckAv(avformat_alloc_output_context2(&context, nullptr, format.muxer, path.c_str()),
          "cannot prepare the " + std::string(format.muxer) + " container");
  context_.reset(context);
  CheckAv(avio_open(&context->pb, path.c_str(), AVIO_FLAG_WRITE), "cannot write '" + shownName_.string() + "'");
}

bool MuxedOutput::WantsGlobalHeader() const { return (context_->oformat->flags & AVFMT_GLOBALHEADER) != 0; }

void MuxedOutput::WriteHeader() {
  AVDictionary* options = nullptr;
  if (fastStart_) av_dict_set(&options, "movflags", "+faststart", 0);
  const int written = avformat_write_header(context_.get(), &options);
  av_dict_free(&options);  // what the muxer left unused
  CheckAv(written, "cannot start the video file '" + shownName_.string() + "'");
}

void MuxedOutput::WritePacket(AVPacket* packet, const AVStream* stream, AVRational codecTimeBase) {
  av_packet_rescale_ts(packet, codecTimeBase, stream->time_base);
  packet->stream_index = stream->index;
  CheckAv(av_interleaved_write_frame(context_.get(), packet), "cannot write to '" + shownName_.string() + "'");
}

void MuxedOutput::WriteTrailer() {
  const std::string what = "cannot finish '" + shownName_.string() + "'";
  CheckAv(av_write_trailer(context_.get()), what);
  avio_flush(context_->pb);
  CheckAv(context_->pb->error, what);
  CheckAv(avio_closep(&context_->pb), what);
}

}  // namespace video_export
