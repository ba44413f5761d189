#pragma once
#include <filesystem>
#include <functional>
#include <memory>

#include "platform/raster/bitmap.h"
#include "platform/raster/geometry.h"
#include "platform/raster/size.h"

namespace view {

class TCanvas;

// Holds one graphic (a 32-bit bitmap whose reserved byte is alpha, as the
// picture decoders produce it), or none. Calls its change handler whenever its
// content changes; the handler can be detached (set to none) and reattached.
class TPicture {
 public:
  using TChangeHandler = std::function<void(TPicture& Sender)>;

  TPicture() = default;
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  // Decodes the file, choosing the decoder by its extension without regard to
  // case. On failure the old graphic stays and the error (platform::PictureError
  // or std::runtime_error, naming the file and the cause) reaches the caller.
  // A JPEG larger than LoadCover() comes reduced to the smallest decoder scale
  // that still covers it.
  void LoadFromFile(const std::filesystem::path& fileName);
  // The largest size pictures loaded from files will be shown at (the
  // screen's); 0 × 0, the default, loads them at full size.
  void SetLoadCover(raster::Size cover) { loadCover_ = cover; }
  raster::Size LoadCover() const { return loadCover_; }
  // Copies the graphic of another holder (none when it has none).
  void Assign(const TPicture& source);
  // Takes a graphic; null leaves the holder without one.
  void SetGraphic(std::unique_ptr<raster::Bitmap> graphic);
  // Drops the graphic.
  void Clear();

  // The graphic, or null when there is none.
  const raster::Bitmap* Graphic() const { return graphic_.get(); }
  bool HasGraphic() const { return graphic_ != nullptr; }
  int32_t Width() const { return graphic_ ? graphic_->Width() : 0; }
  int32_t Height() const { return graphic_ ? graphic_->Height() : 0; }
  // True when there is no graphic or it has no pixels.
  bool Empty() const { return !graphic_ || graphic_->Empty(); }
  // True when every pixel of the graphic is fully opaque.
  bool Opaque() const { return opaque_; }

  // Draws the graphic at its natural size with its top-left corner at (x, y),
  // or scaled into `r`, blending by its alpha; nothing without a graphic.
  void Draw(TCanvas& canvas, int32_t x, int32_t y) const;
  void StretchDraw(TCanvas& canvas, const raster::Rect& r) const;

  const TChangeHandler& OnChange() const { return onChange_; }
  void SetOnChange(TChangeHandler handler) { onChange_ = std::move(handler); }

 private:
  void Changed();

  std::unique_ptr<raster::Bitmap> graphic_;
  bool opaque_ = true;
  raster::Size loadCover_;
  TChangeHandler onChange_;
};

// Detaches a picture's change handler for a scope and puts it back on every
// path: changes the graphic reports while the view draws it are not news.
class TMutedChanges {
 public:
  explicit TMutedChanges(TPicture& picture) : picture_(picture), handler_(picture.OnChange()) {
    picture_.SetOnChange(nullptr);
  }
  ~TMutedChanges() { picture_.SetOnChange(std::move(handler_)); }
  TMutedChanges(const TMutedChanges&) = delete;
  TMutedChanges& operator=(const TMutedChanges&) = delete;

 private:
  TPicture& picture_;
  TPicture::TChangeHandler handler_;
};

}  // namespace view
