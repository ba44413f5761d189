#pragma once
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/raster/bitmap.h"

// Reads a video file back with libavformat and libavcodec, as a player would.
namespace video_reader {

struct VideoFile {
  std::string container;  // libavformat's name, "mov,mp4,m4a,3gp,3g2,mj2" for MP4
  std::string videoCodec;  // "h264", "vp9"
  std::string pixelFormat;
  std::string audioCodec;  // empty when there is no sound
  int width = 0, height = 0;
  int64_t frames = 0;  // decoded, not taken from the header
  double frameRate = 0;
  double seconds = 0;  // the container's duration
  double lastFrameEnd = 0;  // time at which the last decoded frame ends
  // The first channel of the sound track, decoded, at soundRate.
  std::vector<float> sound;
  int soundRate = 0;
  // Decoded frames asked for by index, as 32-bit RGB bitmaps.
  std::map<int64_t, std::unique_ptr<raster::Bitmap>> kept;
};

// Decodes every frame of the first video stream; throws std::runtime_error
// when the file cannot be read.
VideoFile ReadVideo(const std::filesystem::path& path, const std::set<int64_t>& keep = {});

// Peak signal-to-noise ratio over the red, green and blue bytes of two
// bitmaps of one size, in dB (infinity when equal).
double Psnr(const raster::Bitmap& a, const raster::Bitmap& b);

}  // namespace video_reader
