#pragma once
#include <cstdint>

#include "export/av_handles.h"
#include "export/encoded_stream.h"
#include "export/muxed_output.h"
#include "export/video_format.h"
#include "platform/raster/bitmap.h"

namespace video_export {

// Turns 32-bit frames into the video stream of a MuxedOutput: converted to
// yuv420p (BT.709, limited range), encoded with the encoder's threads on all
// cores, one frame per 1/fps.
class VideoEncoder {
 public:
  VideoEncoder(MuxedOutput& output, const VideoFormat& format, int32_t width, int32_t height, int32_t fps);

  // Adds a frame showing `frame` (width × height).
  void Encode(const raster::Bitmap& frame);
  // Adds the last frame again: a still photo is converted once and handed to
  // the encoder as often as it stands.
  void EncodeAgain();
  // Drains the encoder; call once after the last frame.
  void Finish();

  int64_t FramesWritten() const { return nextPts_; }
  // Seconds of video the frames so far fill.
  double Seconds() const { return double(nextPts_) / fps_; }

 private:
  void Convert(const raster::Bitmap& frame);

  EncodedStream stream_;
  SwsPtr convert_;
  FramePtr picture_;
  int32_t fps_;
  int64_t nextPts_ = 0;
};

}  // namespace video_export
