#include "app/photo_preload.h"

#include <chrono>
#include <exception>

#include "platform/picture_decoder.h"

namespace app {

TPhotoPreload::TPhotoPreload(TDecoder decoder) : decoder_(std::move(decoder)) {}

TPhotoPreload::TPhotoPreload() : TPhotoPreload(&platform::DecodePicture) {}

void TPhotoPreload::Start(const QString& name, const std::filesystem::path& file, raster::Size cover,
                          std::function<void()> ready) {
  Drop();
  std::promise<TDecoded> promise;
  decoded_ = promise.get_future();
  worker_ = std::thread(
      [promise = std::move(promise), decoder = decoder_, name, file, cover, ready = std::move(ready)]() mutable {
        TDecoded decoded{name, nullptr, {}};
        try {
          decoded.graphic = decoder(file, cover);
        } catch (const std::exception& error) {
          decoded.error = QString::fromUtf8(error.what());
        }
        promise.set_value(std::move(decoded));
        if (ready) ready();
      });
}

std::optional<TPhotoPreload::TDecoded> TPhotoPreload::Take(bool wait) {
  if (!decoded_.valid()) return std::nullopt;
  if (!wait && decoded_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return std::nullopt;
  return decoded_.get();
}

void TPhotoPreload::Drop() {
  if (worker_.joinable()) worker_.join();
  decoded_ = {};
}

}  // namespace app
