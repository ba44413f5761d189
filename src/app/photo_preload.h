#pragma once
#include <QString>
#include <atomic>
#include <filesystem>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "platform/raster/bitmap.h"
#include "platform/raster/size.h"

namespace app {

// Decodes the photo to show next on a worker thread, one photo at a time: a
// camera photo takes longer to decode than several frames of the running
// transition, and the window thread goes on meanwhile (painting, keys, the
// settings panel).
class TPhotoPreload {
 public:
  struct TDecoded {
    QString name;
    std::unique_ptr<raster::Bitmap> graphic;  // null when the photo could not be decoded
    QString error;  // why not, naming the file
  };

  // How a file is decoded for a screen: platform::DecodePicture, or a
  // stand-in that tests hold back.
  using TDecoder = std::function<std::unique_ptr<raster::Bitmap>(const std::filesystem::path&, raster::Size)>;

  explicit TPhotoPreload(TDecoder decoder);
  TPhotoPreload();
  TPhotoPreload(const TPhotoPreload&) = delete;
  TPhotoPreload& operator=(const TPhotoPreload&) = delete;
  ~TPhotoPreload();

  // Starts decoding `file`, known to the caller as `name`, for a screen of
  // `cover` (see platform::DecodePicture). `ready` is called on the worker
  // thread once the result can be taken. A decode still running is left to
  // end on its own thread, and its result dropped.
  void Start(const QString& name, const std::filesystem::path& file, raster::Size cover, std::function<void()> ready);
  // Whether a result is still to be taken.
  bool Pending() const { return decoded_.valid(); }
  // Takes the result of the decode started last, waiting for it when `wait`
  // holds; none when there is nothing to take (yet).
  std::optional<TDecoded> Take(bool wait);
  // Drops the result of the decode started last, without waiting for it.
  void Drop();

 private:
  struct TWorker {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> done;
  };
  // Joins the workers whose decode has ended.
  void JoinEnded();

  TDecoder decoder_;
  TWorker worker_;
  std::vector<TWorker> dropped_;  // decodes whose results nobody takes, still running or not yet joined
  std::future<TDecoded> decoded_;
};

}  // namespace app
