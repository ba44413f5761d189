#include "app/photo_preload.h"

#include <chrono>
#include <exception>

#include "platform/picture_decoder.h"

namespace app {

TPhotoPreload::TPhotoPreload(TDecoder decoder)
    : decoder_(decoder ? std::move(decoder) : TDecoder(&platform::DecodePicture)) {}

TPhotoPreload::TPhotoPreload() : TPhotoPreload(&platform::DecodePicture) {}

TPhotoPreload::~TPhotoPreload() {
  Drop();
  for (TWorker& worker : dropped_) worker.thread.join();
}

void TPhotoPreload::Start(const QString& name, const std::filesystem::path& file, raster::Size cover,
                          std::function<void()> ready) {
  Drop();
  std::promise<TDecoded> promise;
  decoded_ = promise.get_future();
  worker_.done = std::make_shared<std::atomic<bool>>(false);
  worker_.thread = std::thread([promise = std::move(promise), decoder = decoder_, name, file, cover,
                                ready = std::move(ready), done = worker_.done]() mutable {
    TDecoded decoded{name, nullptr, {}};
    try {
      decoded.graphic = decoder(file, cover);
    } catch (const std::exception& error) {
      decoded.error = QString::fromUtf8(error.what());
    }
    promise.set_value(std::move(decoded));
    if (ready) ready();
    done->store(true);
  });
}

std::optional<TPhotoPreload::TDecoded> TPhotoPreload::Take(bool wait) {
  if (!decoded_.valid()) return std::nullopt;
  if (!wait && decoded_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return std::nullopt;
  return decoded_.get();
}

void TPhotoPreload::Drop() {
  decoded_ = {};
  if (worker_.thread.joinable()) dropped_.push_back(std::move(worker_));
  worker_ = {};
  JoinEnded();
}

void TPhotoPreload::JoinEnded() {
  std::erase_if(dropped_, [](TWorker& worker) {
    if (!worker.done->load()) return false;
    worker.thread.join();
    return true;
  });
}

}  // namespace app
