// The run-time of one transition: start, steps, frames, end.
#include <exception>

#include "effects/frame_rule.h"
#include "platform/raster/box_reduce.h"
#include "platform/raster/drawing.h"
#include "platform/raster/muldiv.h"
#include "view/custom_vantrel.h"

namespace view {

using Lock = TViewLockHold;

void TCustomVantrel::Execute() {
  if (!fPicture->HasGraphic() || fBusy.load()) return;
  fBusy.store(true);
  fTransition.fetch_add(1);
  try {
    HandleNeeded();
    Prepare();
    if (!fManual.load() && !Stopping.load()) Animate();
  } catch (...) {
    // Only undo what belongs to this transition: an error may come after it
    // already ended (from an OnStop handler, say).
    if (fBusy.load()) {
      FreeTransitionPictures();
      fBusy.store(false);
    }
    throw;
  }
}

void TCustomVantrel::Prepare() {
  const int32_t Width = fPicture->Width(), Height = fPicture->Height();
  // A picture placed smaller than its natural size is reduced to the placed
  // size here, once: every frame then works on (and shows) no more pixels
  // than the screen has. One placed larger stays natural and is enlarged on
  // the way to the screen, as before.
  const raster::Size placed = PlacedSize(Width, Height);
  const bool reduce = placed.width > 0 && placed.height > 0 && placed.width <= Width && placed.height <= Height &&
                      (placed.width < Width || placed.height < Height);
  const raster::Size frame = reduce ? placed : raster::Size{Width, Height};
  {
    Lock lock(fCS);
    OldPic = std::make_unique<raster::Bitmap>();
    if (fOverDraw.load() && !Display->Empty() && Display->Width() == frame.width && Display->Height() == frame.height) {
      DynamicOldPic = false;
      OldPic->Assign(*Display);
    } else {
      DynamicOldPic = true;
      OldPic->SetSize(frame.width, frame.height);
    }
  }
  RenderPic(frame);
  {
    Lock lock(fCS);
    Display->SetSize(frame.width, frame.height);
    fPicRect = {0, 0, Width, Height};
    UpdateDisplayRect();
    Display->Assign(*OldPic);
  }
  fProgress.store(fReverse.load() ? 100 : 0);
  Invalidate();
  // No timer runs yet, and only the window thread replaces the two bitmaps:
  // the handler gets them without the lock held.
  raster::Bitmap *newPicture = nullptr, *oldPicture = nullptr;
  {
    Lock lock(fCS);
    newPicture = Pic.get();
    oldPicture = OldPic.get();
  }
  DoStart(*newPicture, *oldPicture);
}

void TCustomVantrel::RenderPic(raster::Size frame) {
  const raster::Bitmap* graphic = fPicture->Graphic();
  const bool reduce = frame.width != fPicture->Width() || frame.height != fPicture->Height();
  auto pic = std::make_unique<raster::Bitmap>(frame.width, frame.height);
  // Changes the graphic reports while it is drawn raise no OnChange.
  const TMutedChanges muted(*fPicture);
  const uint32_t background = raster::PixelFromColor(ColorToRGB(fColor));
  if (!reduce) {
    pic->Fill(background);
    TCanvas canvas(*pic);
    fPicture->Draw(canvas, 0, 0);
  } else if (fPicture->Opaque()) {
    raster::BoxReduce(*graphic, *pic);
  } else {
    // Blended over the colour at natural size first, as the unreduced
    // picture would be, then reduced.
    raster::Bitmap natural(fPicture->Width(), fPicture->Height());
    natural.Fill(background);
    {
      TCanvas canvas(natural);
      fPicture->Draw(canvas, 0, 0);
    }
    raster::BoxReduce(natural, *pic);
  }
  Lock lock(fCS);
  Pic = std::move(pic);
}

void TCustomVantrel::Animate() {
  LastUpdateTime.store(GetTickCount());
  if (fThreaded.load()) {
    StartTimer();
    return;
  }
  const uint32_t transition = fTransition.load();
  for (;;) {
    const bool more = UpdateProgress();
    // A Stop (or a new transition) made by a handler ends this loop; the
    // transition has been ended by whoever did that.
    if (!more || fManual.load() || Stopping.load() || TransitionEnded(transition)) break;
    const uint32_t ResumeTime = GetTickCount() + fDelay.load();
    do {
      ProcessMessages();
      if (TransitionEnded(transition)) break;
    } while (static_cast<int32_t>(GetTickCount() - ResumeTime) < 0);
  }
  if (TransitionEnded(transition)) return;
  if (Stopping.load() || !fManual.load()) Unprepare();
}

bool TCustomVantrel::TransitionEnded(uint32_t transition) const {
  return !fBusy.load() || fTransition.load() != transition;
}

bool TCustomVantrel::UpdateProgress() {
  const uint16_t step = fStep.load(), delay = fDelay.load();
  int32_t ProgressStep = step;
  // With Delay 0 there is no nominal interval to scale by: each step counts whole.
  if (fExactTiming.load() && delay != 0) {
    const uint32_t elapsed = GetTickCount() - LastUpdateTime.load();
    ProgressStep = raster::MulDiv(step, static_cast<int32_t>(std::min<uint32_t>(elapsed, INT32_MAX)), delay);
    // MulDiv answers -1 when the result overflows: so late that the end is due.
    if (ProgressStep < 0) ProgressStep = 100;
  }
  LastUpdateTime.store(GetTickCount());
  const int32_t progress = fProgress.load();
  if (fReverse.load()) {
    SetProgress(static_cast<TPercent>(ProgressStep < progress ? progress - ProgressStep : 0));
    return fProgress.load() != 0;
  }
  SetProgress(static_cast<TPercent>(progress < 100 - ProgressStep ? progress + ProgressStep : 100));
  return fProgress.load() != 100;
}

void TCustomVantrel::SetProgress(TPercent Value) {
  if (Value > 100) Value = 100;
  if (!fBusy.load() || Value == fProgress.load()) return;
  fProgress.store(Value);
  UpdateDisplay();
  if (!HandleAllocated()) {
    DoProgress();
    return;
  }
  ShowFrame();
  if (fThreaded.load() && !fManual.load()) {
    PostTransitionMessage({TTransitionMessage::Progress, fProgress.load(), fTransition.load(), {}});
  } else {
    DoProgress();
  }
}

void TCustomVantrel::ShowFrame() {
  Lock lock(fCS);
  raster::SurfaceLock display(*Display);
  PutFrameOnScreen(*Display, Display->Bounds(), fDisplayRect);
  ValidateRect(fDisplayRect);
}

void TCustomVantrel::UpdateDisplay() {
  Lock lock(fCS);
  if (!Pic || !OldPic) return;
  raster::SurfaceLock pic(*Pic);
  raster::SurfaceLock display(*Display);
  const int32_t W = Display->Width(), H = Display->Height();
  {
    raster::SurfaceLock old(*OldPic);
    raster::BitBlt(*Display, 0, 0, W, H, *OldPic, 0, 0);
  }
  if (fOnBeforeNewFrame) fOnBeforeNewFrame(*this, *Pic, *Display);
  const TPercent progress = fProgress.load();
  const TShowStyle style = fStyle.load();
  if (style == 0 && progress >= 1 && progress <= 99) {
    DoCustomDraw(*Pic, *Display);
  } else if (W > 0 && H > 0) {
    // An empty picture has nothing to draw, and the procedures need W, H >= 1.
    effects::DrawEffectFrame(*Display, *Pic, W, H, style, progress);
  }
  if (fOnAfterNewFrame) fOnAfterNewFrame(*this, *Pic, *Display);
}

void TCustomVantrel::FreeTransitionPictures() {
  Lock lock(fCS);
  Pic.reset();
  OldPic.reset();
}

void TCustomVantrel::Unprepare() {
  fBusy.store(false);
  FreeTransitionPictures();
  if (fDestroying.load()) return;
  if (!Stopping.load()) DoComplete();
  DoStop();
}

void TCustomVantrel::Stop() {
  if (!fBusy.load() || Stopping.load()) return;
  Stopping.store(true);
  struct ClearStopping {
    std::atomic<bool>& s;
    ~ClearStopping() { s.store(false); }
  } clear{Stopping};
  StopTimer();
  Unprepare();
}

void TCustomVantrel::Clear() {
  if (fBusy.load()) return;
  {
    Lock lock(fCS);
    if (Display->Empty()) return;
    Display->SetSize(0, 0);
    fPicRect = {};
    fDisplayRect = {};
  }
  Invalidate();
}

void TCustomVantrel::SetManual(bool Value) {
  if (Value == fManual.load()) return;
  fManual.store(Value);
  StopTimer();
  if (!fBusy.load()) {
    fProgress.store(fReverse.load() ? 100 : 0);
  } else if (!Value) {
    Animate();
  }
}

// --- messages posted to the window thread ---

void TCustomVantrel::HandleTransitionMessage(const TTransitionMessage& Msg) {
  switch (Msg.kind) {
    case TTransitionMessage::Progress:
      // Steps of a transition that has since been stopped report nothing
      // after its OnStop (nor as steps of a newer transition).
      if (!TransitionEnded(Msg.transition)) DoProgress();
      break;
    case TTransitionMessage::Completed: TransitionCompleted(Msg.transition); break;
    case TTransitionMessage::Failed:
      if (!TransitionEnded(Msg.transition)) Stop();
      ReportError(Msg.error);
      break;
  }
}

void TCustomVantrel::TransitionCompleted(uint32_t transition) {
  // A completion that arrives after its transition was stopped (or after a
  // new one began) must not end anything a second time.
  if (TransitionEnded(transition)) return;
  Unprepare();
}

}  // namespace view
