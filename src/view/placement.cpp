// Placement of the picture in the control and the background as old picture.
#include "platform/raster/placement.h"
#include "platform/raster/drawing.h"
#include "view/custom_vantrel.h"

namespace view {

using Lock = TViewLockHold;

void TCustomVantrel::UpdateDisplayRect() {
  Lock lock(fCS);
  fDisplayRect = raster::PlaceDisplayRect(fClientWidth, fClientHeight, fFrameWidth, fPicRect.right - fPicRect.left,
                                          fPicRect.bottom - fPicRect.top, {fCenter, fStretch, fProportional});
  if (DynamicOldPic && OldPic) UpdateOldPic();
}

raster::Size TCustomVantrel::PlacedSize(int32_t pW, int32_t pH) const {
  Lock lock(fCS);
  const raster::Rect placed =
      raster::PlaceDisplayRect(fClientWidth, fClientHeight, fFrameWidth, pW, pH, {fCenter, fStretch, fProportional});
  return {placed.width(), placed.height()};
}

void TCustomVantrel::UpdateOldPic() {
  Lock lock(fCS);
  raster::Bitmap BackImage(fDisplayRect.width(), fDisplayRect.height());
  {
    TCanvas canvas(BackImage);
    canvas.SetOrigin({-fDisplayRect.left, -fDisplayRect.top});
    DrawBackground(canvas, {0, 0, fClientWidth, fClientHeight});
  }
  {
    raster::SurfaceLock old(*OldPic);
    raster::SetStretchBltMode(*OldPic, raster::COLORONCOLOR);
    raster::StretchBlt(*OldPic, 0, 0, OldPic->Width(), OldPic->Height(), BackImage, 0, 0, BackImage.Width(),
                       BackImage.Height());
  }
  if (fBusy.load() && fManual.load() && !Stopping.load()) UpdateDisplay();
}

void TCustomVantrel::RefreshDynamicOldPic() {
  Lock lock(fCS);
  if (DynamicOldPic && OldPic) UpdateOldPic();
}

void TCustomVantrel::WMSize(int32_t clientWidth, int32_t clientHeight) {
  {
    Lock lock(fCS);
    fClientWidth = clientWidth;
    fClientHeight = clientHeight;
  }
  UpdateDisplayRect();
  if (!DisplayEmpty()) Invalidate();
}

bool TCustomVantrel::CanAutoSize(int32_t& NewWidth, int32_t& NewHeight) const {
  if (fPicture->HasGraphic() && fAlign != alClient) {
    // The control has no borders: its size is its client size.
    if (fAlign != alTop && fAlign != alBottom) NewWidth = fPicture->Width() + 2 * fFrameWidth;
    if (fAlign != alLeft && fAlign != alRight) NewHeight = fPicture->Height() + 2 * fFrameWidth;
  }
  return true;
}

raster::Rect TCustomVantrel::DisplayRect() const {
  Lock lock(fCS);
  return fDisplayRect;
}

raster::Rect TCustomVantrel::PicRect() const {
  Lock lock(fCS);
  return fPicRect;
}

bool TCustomVantrel::DisplayEmpty() const {
  Lock lock(fCS);
  return Display->Empty();
}

void TCustomVantrel::CopyDisplay(raster::Bitmap& into) const {
  Lock lock(fCS);
  raster::SurfaceLock display(*Display);
  into.Assign(*Display);
}

}  // namespace view
