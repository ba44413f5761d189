#include "export/audio_track.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <string>

#include "export/export_error.h"
#include "platform/non_regular_file.h"

namespace video_export {

namespace {

constexpr int kSampleRate = 48000;
constexpr double kFadeSeconds = 2.0;

// Float samples, planar where the encoder takes them so.
AVSampleFormat FloatFormatOf(const AVCodec* codec) {
  for (const AVSampleFormat* f = codec->sample_fmts; f != nullptr && *f != AV_SAMPLE_FMT_NONE; ++f) {
    if (*f == AV_SAMPLE_FMT_FLTP) return AV_SAMPLE_FMT_FLTP;
  }
  return AV_SAMPLE_FMT_FLT;
}

// Opens a local regular file only, as pictures are: a name is never taken
// for an address (http://...), and a pipe or device is refused at once
// instead of waiting for a writer. FFmpeg reads the very file that was
// checked, through its descriptor's name, and opens no other protocol.
InputFormatPtr OpenSoundFile(const std::filesystem::path& file, const std::string& what) {
  const platform::TUniqueDescriptor checked(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (checked.get() < 0) throw ExportError(what + ": " + std::strerror(errno));
  struct stat status {};
  if (::fstat(checked.get(), &status) != 0) throw ExportError(what + ": " + std::strerror(errno));
  if (!S_ISREG(status.st_mode))
    throw ExportError(what + ": it " + platform::KindOfNonRegularFile(status.st_mode, "sound file"));
  const std::string url = "file:/proc/self/fd/" + std::to_string(checked.get());
  AVDictionary* options = nullptr;
  av_dict_set(&options, "protocol_whitelist", "file", 0);
  AVFormatContext* opened = nullptr;
  const int result = avformat_open_input(&opened, url.c_str(), nullptr, &options);
  av_dict_free(&options);
  CheckAv(result, what);
  return InputFormatPtr(opened);
}

}  // namespace

AudioTrack::AudioTrack(const std::filesystem::path& file)
    : file_(file), decoded_(NewFrame()), chunk_(NewFrame()), packet_(NewPacket()) {
  const std::string what = "cannot read the sound file '" + file.string() + "'";
  input_ = OpenSoundFile(file, what);
  AVFormatContext* opened = input_.get();
  CheckAv(avformat_find_stream_info(opened, nullptr), what);
  const AVCodec* codec = nullptr;
  streamIndex_ = av_find_best_stream(opened, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
  if (streamIndex_ < 0 || codec == nullptr) throw ExportError(what + ": it holds no sound that can be decoded");
  decoder_.reset(avcodec_alloc_context3(codec));
  if (!decoder_) throw std::bad_alloc();
  CheckAv(avcodec_parameters_to_context(decoder_.get(), opened->streams[streamIndex_]->codecpar), what);
  CheckAv(avcodec_open2(decoder_.get(), codec, nullptr), what);
}

void AudioTrack::AddStream(MuxedOutput& output, const VideoFormat& format, double videoSeconds) {
  endSample_ = std::llround(videoSeconds * kSampleRate);
  const int channels = std::min(decoder_->ch_layout.nb_channels, 2);
  stream_.emplace(output, format.audioEncoder, "sound", [channels](AVCodecContext* c, const AVCodec* codec) {
    c->sample_rate = kSampleRate;
    c->sample_fmt = FloatFormatOf(codec);
    // Mono stays mono: spreading it over two channels would lower its level.
    av_channel_layout_default(&c->ch_layout, channels);
    c->bit_rate = 160000;
    c->time_base = {1, kSampleRate};
  });
  AVCodecContext* c = Encoder();

  SwrContext* swr = nullptr;
  CheckAv(swr_alloc_set_opts2(&swr, &c->ch_layout, c->sample_fmt, kSampleRate, &decoder_->ch_layout,
                              decoder_->sample_fmt, decoder_->sample_rate, 0, nullptr),
          "cannot convert the sound");
  resample_.reset(swr);
  CheckAv(swr_init(swr), "cannot convert the sound");
  fifo_.reset(av_audio_fifo_alloc(c->sample_fmt, c->ch_layout.nb_channels, std::max(c->frame_size, 1024)));
  if (!fifo_) throw std::bad_alloc();
}

void AudioTrack::SetEnd(double videoSeconds) { endSample_ = std::llround(videoSeconds * kSampleRate); }

void AudioTrack::EncodeUntil(double seconds) {
  const int frameSize = Encoder()->frame_size > 0 ? Encoder()->frame_size : 1024;
  const int64_t target = std::min<int64_t>(endSample_, std::llround(seconds * kSampleRate));
  while (encodedSamples_ + frameSize <= target) {
    if (!FillFifo(frameSize) && av_audio_fifo_size(fifo_.get()) == 0) return;
    EncodeSamples(std::min(frameSize, av_audio_fifo_size(fifo_.get())));
  }
}

void AudioTrack::Finish() {
  const int frameSize = Encoder()->frame_size > 0 ? Encoder()->frame_size : 1024;
  while (encodedSamples_ < endSample_) {
    FillFifo(frameSize);
    const int64_t left = endSample_ - encodedSamples_;
    const int count = int(std::min<int64_t>({frameSize, av_audio_fifo_size(fifo_.get()), left}));
    if (count == 0) break;
    EncodeSamples(count);
  }
  stream_->Send(nullptr);
}

// Decodes until the fifo holds `samples`; false when the file ended first.
bool AudioTrack::FillFifo(int samples) {
  while (av_audio_fifo_size(fifo_.get()) < samples) {
    if (inputEnded_) return false;
    const int read = av_read_frame(input_.get(), packet_.get());
    if (read == AVERROR_EOF) {
      inputEnded_ = true;
      DecodeInto(nullptr);
      Resample(nullptr);  // what the resampler still holds
      continue;
    }
    CheckAv(read, "cannot read the sound file '" + file_.string() + "'");
    if (packet_->stream_index == streamIndex_) DecodeInto(packet_.get());
    av_packet_unref(packet_.get());
  }
  return true;
}

void AudioTrack::DecodeInto(const AVPacket* packet) {
  const std::string what = "cannot decode the sound file '" + file_.string() + "'";
  CheckAv(avcodec_send_packet(decoder_.get(), packet), what);
  for (;;) {
    const int got = avcodec_receive_frame(decoder_.get(), decoded_.get());
    if (got == AVERROR(EAGAIN) || got == AVERROR_EOF) return;
    CheckAv(got, what);
    Resample(decoded_.get());
    av_frame_unref(decoded_.get());
  }
}

void AudioTrack::Resample(const AVFrame* decoded) {
  const int inSamples = decoded ? decoded->nb_samples : 0;
  const int room = swr_get_out_samples(resample_.get(), inSamples);
  if (room <= 0) return;
  FramePtr out(NewFrame());
  out->format = Encoder()->sample_fmt;
  out->sample_rate = kSampleRate;
  CheckAv(av_channel_layout_copy(&out->ch_layout, &Encoder()->ch_layout), "cannot convert the sound");
  out->nb_samples = room;
  CheckAv(av_frame_get_buffer(out.get(), 0), "cannot convert the sound");
  const int made =
      CheckAv(swr_convert(resample_.get(), out->data, room,
                          decoded ? const_cast<const uint8_t**>(decoded->extended_data) : nullptr, inSamples),
              "cannot convert the sound");
  if (made > 0)
    CheckAv(av_audio_fifo_write(fifo_.get(), reinterpret_cast<void**>(out->data), made), "cannot convert the sound");
}

void AudioTrack::EncodeSamples(int count) {
  chunk_->format = Encoder()->sample_fmt;
  chunk_->sample_rate = kSampleRate;
  CheckAv(av_channel_layout_copy(&chunk_->ch_layout, &Encoder()->ch_layout), "cannot encode the sound");
  chunk_->nb_samples = count;
  CheckAv(av_frame_get_buffer(chunk_.get(), 0), "cannot encode the sound");
  av_audio_fifo_read(fifo_.get(), reinterpret_cast<void**>(chunk_->data), count);
  chunk_->pts = encodedSamples_;
  FadeOut(chunk_.get());
  encodedSamples_ += count;
  stream_->Send(chunk_.get());
  av_frame_unref(chunk_.get());
}

// Gain falls linearly to 0 over the last two seconds before the video ends.
void AudioTrack::FadeOut(AVFrame* frame) const {
  const int64_t fadeSamples = std::llround(kFadeSeconds * kSampleRate);
  const int64_t fadeStart = endSample_ - fadeSamples;
  if (frame->pts + frame->nb_samples <= fadeStart) return;
  const bool planar = av_sample_fmt_is_planar(AVSampleFormat(frame->format)) != 0;
  const int channels = frame->ch_layout.nb_channels;
  for (int i = 0; i < frame->nb_samples; ++i) {
    const int64_t left = endSample_ - (frame->pts + i);
    if (left >= fadeSamples) continue;
    const float gain = left <= 0 ? 0.0f : float(double(left) / double(fadeSamples));
    for (int ch = 0; ch < channels; ++ch) {
      float* sample = planar ? reinterpret_cast<float*>(frame->extended_data[ch]) + i
                             : reinterpret_cast<float*>(frame->data[0]) + size_t(i) * channels + ch;
      *sample *= gain;
    }
  }
}

}  // namespace video_export
