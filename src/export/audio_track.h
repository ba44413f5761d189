#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>

#include "export/av_handles.h"
#include "export/encoded_stream.h"
#include "export/muxed_output.h"
#include "export/video_format.h"

namespace video_export {

// A sound file re-encoded as the video's sound track: 48 kHz, mono or
// stereo (more channels are mixed down to two), cut to
// the video's length, the last two seconds before the cut faded out.
class AudioTrack {
 public:
  // Opens the file and its decoder; throws ExportError when it holds no
  // sound that can be read.
  explicit AudioTrack(const std::filesystem::path& file);

  // Adds the encoded stream to `output` (before its header is written).
  void AddStream(MuxedOutput& output, const VideoFormat& format, double videoSeconds);
  // Moves the cut to `videoSeconds` (the show grows shorter when a photo
  // cannot be loaded); call before writing the last two seconds.
  void SetEnd(double videoSeconds);
  // Writes the sound up to `seconds` of the video, in whole encoder frames,
  // so that it interleaves with the pictures.
  void EncodeUntil(double seconds);
  // Writes the rest up to the video's end and drains the encoder.
  void Finish();

 private:
  bool FillFifo(int samples);
  void DecodeInto(const AVPacket* packet);
  void Resample(const AVFrame* decoded);
  void EncodeSamples(int count);
  void FadeOut(AVFrame* frame) const;
  AVCodecContext* Encoder() const { return stream_->Codec(); }

  std::filesystem::path file_;
  InputFormatPtr input_;
  int streamIndex_ = -1;
  CodecContextPtr decoder_;
  SwrPtr resample_;
  FifoPtr fifo_;
  FramePtr decoded_, chunk_;
  PacketPtr packet_;
  std::optional<EncodedStream> stream_;  // from AddStream on
  int64_t endSample_ = 0, encodedSamples_ = 0;  // at 48 kHz
  bool inputEnded_ = false;
};

}  // namespace video_export
