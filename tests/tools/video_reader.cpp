#include "video_reader.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

#include <cmath>
#include <limits>
#include <stdexcept>

namespace video_reader {

namespace {

void Check(int code, const std::string& what) {
  if (code < 0) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    throw std::runtime_error(what + ": " + text);
  }
}

struct Input {
  AVFormatContext* format = nullptr;
  AVCodecContext* decoder = nullptr;
  AVCodecContext* soundDecoder = nullptr;
  AVFrame* frame = av_frame_alloc();
  AVPacket* packet = av_packet_alloc();
  SwsContext* rgb = nullptr;
  ~Input() {
    sws_freeContext(rgb);
    av_packet_free(&packet);
    av_frame_free(&frame);
    avcodec_free_context(&decoder);
    avcodec_free_context(&soundDecoder);
    avformat_close_input(&format);
  }
};

std::unique_ptr<raster::Bitmap> ToBitmap(Input& in, const AVFrame* f) {
  if (in.rgb == nullptr) {
    in.rgb = sws_getContext(f->width, f->height, AVPixelFormat(f->format), f->width, f->height, AV_PIX_FMT_BGR0,
                            SWS_BILINEAR | SWS_ACCURATE_RND, nullptr, nullptr, nullptr);
    const int space = f->colorspace == AVCOL_SPC_BT709 ? SWS_CS_ITU709 : SWS_CS_DEFAULT;
    sws_setColorspaceDetails(in.rgb, sws_getCoefficients(space), f->color_range == AVCOL_RANGE_JPEG,
                             sws_getCoefficients(SWS_CS_DEFAULT), 1, 0, 1 << 16, 1 << 16);
  }
  auto bitmap = std::make_unique<raster::Bitmap>(f->width, f->height);
  uint8_t* dst[1] = {reinterpret_cast<uint8_t*>(bitmap->Row(0))};
  const int dstStride[1] = {-f->width * 4};
  sws_scale(in.rgb, f->data, f->linesize, 0, f->height, dst, dstStride);
  return bitmap;
}

}  // namespace

VideoFile ReadVideo(const std::filesystem::path& path, const std::set<int64_t>& keep) {
  av_log_set_level(AV_LOG_QUIET);  // failures come back as exceptions
  Input in;
  Check(avformat_open_input(&in.format, path.c_str(), nullptr, nullptr), "open " + path.string());
  Check(avformat_find_stream_info(in.format, nullptr), "stream info");
  const AVCodec* codec = nullptr;
  const int index = av_find_best_stream(in.format, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
  Check(index, "video stream");
  const AVStream* stream = in.format->streams[index];
  VideoFile v;
  v.container = in.format->iformat->name;
  v.videoCodec = avcodec_get_name(stream->codecpar->codec_id);
  v.pixelFormat = av_get_pix_fmt_name(AVPixelFormat(stream->codecpar->format));
  v.width = stream->codecpar->width;
  v.height = stream->codecpar->height;
  v.frameRate = av_q2d(stream->avg_frame_rate);
  v.seconds = double(in.format->duration) / AV_TIME_BASE;
  const AVCodec* soundCodec = nullptr;
  const int audio = av_find_best_stream(in.format, AVMEDIA_TYPE_AUDIO, -1, -1, &soundCodec, 0);
  if (audio >= 0) {
    v.audioCodec = avcodec_get_name(in.format->streams[audio]->codecpar->codec_id);
    in.soundDecoder = avcodec_alloc_context3(soundCodec);
    Check(avcodec_parameters_to_context(in.soundDecoder, in.format->streams[audio]->codecpar), "sound");
    Check(avcodec_open2(in.soundDecoder, soundCodec, nullptr), "open sound decoder");
    v.soundRate = in.soundDecoder->sample_rate;
  }

  in.decoder = avcodec_alloc_context3(codec);
  Check(avcodec_parameters_to_context(in.decoder, stream->codecpar), "decoder parameters");
  Check(avcodec_open2(in.decoder, codec, nullptr), "open decoder");
  const auto drain = [&] {
    for (;;) {
      const int got = avcodec_receive_frame(in.decoder, in.frame);
      if (got == AVERROR(EAGAIN) || got == AVERROR_EOF) return;
      Check(got, "decode");
      if (keep.count(v.frames)) v.kept[v.frames] = ToBitmap(in, in.frame);
      const int64_t end = in.frame->best_effort_timestamp + in.frame->pkt_duration;
      v.lastFrameEnd = std::max(v.lastFrameEnd, static_cast<double>(end) * av_q2d(stream->time_base));
      ++v.frames;
      av_frame_unref(in.frame);
    }
  };
  // Float samples of the first channel, planar or packed.
  const auto drainSound = [&] {
    for (;;) {
      const int got = avcodec_receive_frame(in.soundDecoder, in.frame);
      if (got == AVERROR(EAGAIN) || got == AVERROR_EOF) return;
      Check(got, "decode sound");
      const AVSampleFormat f = AVSampleFormat(in.frame->format);
      if (f != AV_SAMPLE_FMT_FLTP && f != AV_SAMPLE_FMT_FLT) throw std::runtime_error("sound not in floats");
      const int step = f == AV_SAMPLE_FMT_FLT ? in.frame->ch_layout.nb_channels : 1;
      const float* samples = reinterpret_cast<const float*>(in.frame->extended_data[0]);
      for (int i = 0; i < in.frame->nb_samples; ++i) v.sound.push_back(samples[i * step]);
      av_frame_unref(in.frame);
    }
  };
  while (av_read_frame(in.format, in.packet) >= 0) {
    if (in.packet->stream_index == index) {
      Check(avcodec_send_packet(in.decoder, in.packet), "decode");
      drain();
    } else if (in.packet->stream_index == audio) {
      Check(avcodec_send_packet(in.soundDecoder, in.packet), "decode sound");
      drainSound();
    }
    av_packet_unref(in.packet);
  }
  Check(avcodec_send_packet(in.decoder, nullptr), "decode");
  drain();
  if (in.soundDecoder) {
    Check(avcodec_send_packet(in.soundDecoder, nullptr), "decode sound");
    drainSound();
  }
  return v;
}

double Psnr(const raster::Bitmap& a, const raster::Bitmap& b) {
  double squares = 0;
  for (int32_t y = 0; y < a.Height(); ++y) {
    const uint8_t* pa = reinterpret_cast<const uint8_t*>(a.Row(y));
    const uint8_t* pb = reinterpret_cast<const uint8_t*>(b.Row(y));
    for (int32_t i = 0; i < a.Width() * 4; ++i) {
      if (i % 4 == 3) continue;  // the reserved byte
      const double d = double(pa[i]) - double(pb[i]);
      squares += d * d;
    }
  }
  const double mse = squares / (double(a.Width()) * a.Height() * 3);
  return mse == 0 ? std::numeric_limits<double>::infinity() : 10 * std::log10(255.0 * 255.0 / mse);
}

}  // namespace video_reader
