#include "export/slideshow_export.h"

#include <chrono>
#include <memory>
#include <optional>
#include <system_error>
#include <vector>

#include "effects/frame_rule.h"
#include "export/audio_track.h"
#include "export/av_handles.h"
#include "export/export_error.h"
#include "export/muxed_output.h"
#include "export/photo_list.h"
#include "export/placed_photo.h"
#include "export/show_timeline.h"
#include "export/video_encoder.h"
#include "platform/atomic_file.h"
#include "platform/picture_decoder.h"
#include "platform/raster/drawing.h"

namespace video_export {

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

// Walks the photo list, handing out each photo that loads as a placed frame
// and reporting the ones that do not.
class PhotoSource {
 public:
  PhotoSource(const ExportSettings& s, ExportObserver& observer)
      : settings_(s), observer_(observer), paths_(ListPhotos(s.folder, s.recursive)) {
    if (paths_.empty()) throw ExportError("no photos in '" + s.folder.string() + "'");
  }

  // The next photo that loads, or nothing when the list is used up.
  std::unique_ptr<raster::Bitmap> Next() {
    while (next_ < paths_.size()) {
      const fs::path& path = paths_[next_++];
      try {
        const std::unique_ptr<raster::Bitmap> photo = platform::DecodePicture(path);
        ++loaded_;
        return std::make_unique<raster::Bitmap>(
            PlacePhoto(*photo, settings_.width, settings_.height, settings_.placement, settings_.background));
      } catch (const std::bad_alloc&) {
        throw;
      } catch (const std::exception& e) {
        ++skipped_;
        observer_.OnWarning("skipped " + path.string() + ": " + e.what());
      }
    }
    return nullptr;
  }

  // Photos the show will hold if every one not yet tried loads.
  int32_t Expected() const { return int32_t(loaded_ + (paths_.size() - next_)); }
  int32_t Loaded() const { return int32_t(loaded_); }
  int32_t Skipped() const { return int32_t(skipped_); }

 private:
  const ExportSettings& settings_;
  ExportObserver& observer_;
  std::vector<fs::path> paths_;
  size_t next_ = 0, loaded_ = 0, skipped_ = 0;
};

// The file the video is written to, refused with the system's reason when
// the target cannot be replaced (a folder, a device, a link).
std::optional<platform::TAtomicFile> OpenOutput(const fs::path& target) {
  try {
    return std::optional<platform::TAtomicFile>(std::in_place, target);
  } catch (const std::system_error& error) {
    throw ExportError("cannot write '" + target.string() + "': " + error.code().message());
  }
}

void Commit(platform::TAtomicFile& file) {
  try {
    file.Commit();
  } catch (const std::system_error& error) {
    throw ExportError("cannot write '" + file.Path().string() + "': " + error.code().message());
  }
}

class ProgressMeter {
 public:
  ProgressMeter(ExportObserver& observer, std::stop_token stop) : observer_(observer), stop_(stop) {}

  // Reports the frames done and stops the export when asked to.
  void Report(int64_t done, int64_t total) {
    if (stop_.stop_requested()) throw ExportCancelled();
    const double elapsed = std::chrono::duration<double>(Clock::now() - start_).count();
    ExportProgress p{done, total, 0, 0};
    if (elapsed > 0 && done > 0) {
      // Frame counts are far below 2^53: exact as double.
      p.framesPerSecond = static_cast<double>(done) / elapsed;
      p.secondsLeft = static_cast<double>(total - done) / p.framesPerSecond;
    }
    observer_.OnProgress(p);
  }
  double FramesPerSecond(int64_t done) const {
    const double elapsed = std::chrono::duration<double>(Clock::now() - start_).count();
    return elapsed > 0 ? static_cast<double>(done) / elapsed : 0;
  }

 private:
  ExportObserver& observer_;
  std::stop_token stop_;
  Clock::time_point start_ = Clock::now();
};

}  // namespace

ExportSummary ExportSlideshow(const ExportSettings& s, ExportObserver& observer, std::stop_token stop) {
  ValidateSettings(s);
  const VideoFormat format = FormatForOutput(s.output);
  PhotoSource photos(s, observer);
  std::optional<AudioTrack> audio;
  if (!s.audio.empty()) audio.emplace(s.audio);

  std::unique_ptr<raster::Bitmap> shown = photos.Next();
  if (!shown) throw ExportError("none of the photos in '" + s.folder.string() + "' could be loaded");
  ShowTimeline timeline(s, photos.Expected());
  if (timeline.TotalFrames() == 0) throw ExportError("a single photo with a zero interval gives no frames to show");

  std::optional<platform::TAtomicFile> file = OpenOutput(s.output);
  {
    MuxedOutput output(file->TemporaryPath(), s.output, format);
    VideoEncoder video(output, format, s.width, s.height, s.fps);
    // The sound is cut at the length the show has if every photo loads; a
    // skipped photo shortens the video, and the muxer ends the file with it.
    if (audio) audio->AddStream(output, format, double(timeline.TotalFrames()) / s.fps);
    output.WriteHeader();

    ProgressMeter meter(observer, stop);
    StylePicker styles(s);
    raster::Bitmap display(s.width, s.height);
    const int64_t n = timeline.TransitionFrames();
    // One frame at a time, so that progress and a stop request are seen often.
    const auto addFrame = [&](const raster::Bitmap* frame) {
      meter.Report(video.FramesWritten(), timeline.TotalFrames());
      if (frame)
        video.Encode(*frame);
      else
        video.EncodeAgain();
      if (audio) audio->EncodeUntil(video.Seconds());
    };
    for (uint32_t change = 0;; ++change) {
      // The next photo is loaded first: when it fails, the show's end (and
      // the sound's fade) is known before the last still is written.
      std::unique_ptr<raster::Bitmap> arriving = photos.Next();
      timeline = ShowTimeline(s, photos.Expected());
      if (audio) audio->SetEnd(double(timeline.TotalFrames()) / s.fps);
      for (int64_t i = 0; i < timeline.StillFrames(); ++i) addFrame(i == 0 ? shown.get() : nullptr);
      if (!arriving) break;
      arriving->SetHandle(s.seed + change);  // the picture seed of this change
      const int32_t style = styles.Next();
      for (int64_t k = 1; k <= n; ++k) {
        raster::BitBlt(display, 0, 0, s.width, s.height, *shown, 0, 0);
        effects::DrawEffectFrame(display, *arriving, s.width, s.height, style, ShowTimeline::ProgressOfFrame(k, n));
        addFrame(&display);
      }
      shown = std::move(arriving);
    }
    if (video.FramesWritten() == 0) throw ExportError("the photos that loaded give no frames to show");
    video.Finish();
    if (audio) audio->Finish();
    output.WriteTrailer();
    meter.Report(video.FramesWritten(), video.FramesWritten());
    ExportSummary summary{photos.Loaded(), photos.Skipped(), video.FramesWritten(), video.Seconds(),
                          meter.FramesPerSecond(video.FramesWritten())};
    Commit(*file);
    return summary;
  }
}

}  // namespace video_export
