#include "export/video_encoder.h"

extern "C" {
#include <libavutil/opt.h>
}

#include <string>

#include "export/encoder_memory.h"
#include "export/export_error.h"

namespace video_export {

namespace {

// Quality and speed of the encoders; a show is mostly still pictures, which
// these settings keep sharp at small sizes.
void SetEncoderOptions(AVCodecContext* c, const VideoFormat& format) {
  if (std::string(format.videoEncoder) == "libx264") {
    av_opt_set(c->priv_data, "preset", "veryfast", 0);
    av_opt_set(c->priv_data, "crf", "20", 0);
  } else {  // VP9: constant quality, rows in parallel
    c->bit_rate = 0;
    av_opt_set(c->priv_data, "crf", "32", 0);
    av_opt_set(c->priv_data, "deadline", "good", 0);
    av_opt_set(c->priv_data, "cpu-used", "5", 0);
    av_opt_set(c->priv_data, "row-mt", "1", 0);
    // Its look-ahead holds whole frames: shortened for large ones, so that
    // the export stays within its memory budget.
    av_opt_set_int(c->priv_data, "lag-in-frames", Vp9LookAheadFrames(c->width, c->height), 0);
  }
}

}  // namespace

VideoEncoder::VideoEncoder(MuxedOutput& output, const VideoFormat& format, int32_t width, int32_t height, int32_t fps)
    : stream_(output, format.videoEncoder, "video",
              [&](AVCodecContext* c, const AVCodec*) {
                c->width = width;
                c->height = height;
                c->time_base = {1, fps};
                c->framerate = {fps, 1};
                c->pix_fmt = AV_PIX_FMT_YUV420P;
                c->color_range = AVCOL_RANGE_MPEG;
                c->colorspace = AVCOL_SPC_BT709;
                c->color_primaries = AVCOL_PRI_BT709;
                c->color_trc = AVCOL_TRC_BT709;
                c->thread_count = 0;  // the encoder's choice: all cores
                SetEncoderOptions(c, format);
              }),
      fps_(fps) {
  convert_.reset(sws_getContext(width, height, AV_PIX_FMT_BGR0, width, height, AV_PIX_FMT_YUV420P,
                                SWS_BILINEAR | SWS_ACCURATE_RND, nullptr, nullptr, nullptr));
  if (!convert_) throw ExportError("cannot convert frames to yuv420p");
  const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
  sws_setColorspaceDetails(convert_.get(), bt709, 1, bt709, 0, 0, 1 << 16, 1 << 16);

  picture_.reset(NewFrame());
  picture_->format = AV_PIX_FMT_YUV420P;
  picture_->width = width;
  picture_->height = height;
  CheckAv(av_frame_get_buffer(picture_.get(), 0), "cannot hold a video frame");
}

void VideoEncoder::Convert(const raster::Bitmap& frame) {
  // The encoder may still hold the last picture; writing needs one of our own.
  CheckAv(av_frame_make_writable(picture_.get()), "cannot hold a video frame");
  // Bitmap rows lie bottom-up: start at the top row and step backwards.
  const uint8_t* source[1] = {reinterpret_cast<const uint8_t*>(frame.Row(0))};
  const int sourceStride[1] = {-frame.Width() * 4};
  sws_scale(convert_.get(), source, sourceStride, 0, frame.Height(), picture_->data, picture_->linesize);
}

void VideoEncoder::Encode(const raster::Bitmap& frame) {
  Convert(frame);
  EncodeAgain();
}

void VideoEncoder::EncodeAgain() {
  picture_->pts = nextPts_++;
  stream_.Send(picture_.get());
}

void VideoEncoder::Finish() { stream_.Send(nullptr); }

}  // namespace video_export
