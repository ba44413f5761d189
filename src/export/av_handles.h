#pragma once
// Owning handles for the FFmpeg objects the export uses, and error text.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <memory>
#include <string>

namespace video_export {

struct CodecContextFree {
  void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FrameFree {
  void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketFree {
  void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct SwsFree {
  void operator()(SwsContext* s) const { sws_freeContext(s); }
};
struct SwrFree {
  void operator()(SwrContext* s) const { swr_free(&s); }
};
struct FifoFree {
  void operator()(AVAudioFifo* f) const { av_audio_fifo_free(f); }
};
struct InputFormatClose {
  void operator()(AVFormatContext* f) const { avformat_close_input(&f); }
};
// An output context and the file it opened, closed together.
struct OutputFormatFree {
  void operator()(AVFormatContext* f) const {
    avio_closep(&f->pb);
    avformat_free_context(f);
  }
};

using CodecContextPtr = std::unique_ptr<AVCodecContext, CodecContextFree>;
using FramePtr = std::unique_ptr<AVFrame, FrameFree>;
using PacketPtr = std::unique_ptr<AVPacket, PacketFree>;
using SwsPtr = std::unique_ptr<SwsContext, SwsFree>;
using SwrPtr = std::unique_ptr<SwrContext, SwrFree>;
using FifoPtr = std::unique_ptr<AVAudioFifo, FifoFree>;
using InputFormatPtr = std::unique_ptr<AVFormatContext, InputFormatClose>;
using OutputFormatPtr = std::unique_ptr<AVFormatContext, OutputFormatFree>;

// FFmpeg's text for an error code.
std::string AvErrorText(int code);

// Throws ExportError "<what>: <FFmpeg's text>" when code < 0; returns code.
int CheckAv(int code, const std::string& what);

// Allocations that FFmpeg reports by a null pointer; throws std::bad_alloc.
AVFrame* NewFrame();
AVPacket* NewPacket();

}  // namespace video_export
