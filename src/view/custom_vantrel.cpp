// Construction, destruction, properties, events and style names of the view.
#include "view/custom_vantrel.h"

#include <algorithm>
#include <cstdio>

#include "effects/catalogue.h"
#include "platform/ascii_text.h"

namespace view {
TCustomVantrel::TCustomVantrel()
    : Display(std::make_unique<raster::Bitmap>()),
      fPicture(std::make_unique<TPicture>()),
      fBgPicture(std::make_unique<TPicture>()) {
  fPicture->SetOnChange([this](TPicture&) { PictureChange(); });
  fBgPicture->SetOnChange([this](TPicture&) { BgPictureChange(); });
}

TCustomVantrel::~TCustomVantrel() {
  BeginDestroy();
  // A timer that killed itself from its callback is joined here.
  TTimerLockHold lock(fTimerMutex);
  fTimer.reset();
}

void TCustomVantrel::BeginDestroy() {
  fDestroying.store(true);
  Stop();
}

// --- properties ---

void TCustomVantrel::SetStyle(TShowStyle Value) {
  if (Value == fStyle.load() || Value > effects::kEffectCount) return;
  fStyle.store(Value);
  if (fBusy.load() && fManual.load() && !Stopping.load()) {
    UpdateDisplay();
    InvalidateRect(DisplayRect());
  }
}

std::string TCustomVantrel::GetStyleName() const {
  const TShowStyle style = fStyle.load();
  if (style == 0) return effects::CustomEffectName;
  return effects::VantrelEffects[style].Name;
}

void TCustomVantrel::SetStyleName(const std::string& Value) {
  if (platform::EqualIgnoringCase(Value, effects::CustomEffectName)) {
    SetStyle(0);
    return;
  }
  const int32_t style = effects::FindStyleByName(Value);
  if (style >= 1) SetStyle(static_cast<TShowStyle>(style));
}

int TCustomVantrel::GetStyleNames(std::vector<std::string>& Names) const {
  Names.reserve(Names.size() + effects::kEffectCount);
  for (int32_t s = 1; s <= effects::kEffectCount; ++s) Names.emplace_back(effects::VantrelEffects[s].Name);
  return effects::kEffectCount;
}

void TCustomVantrel::SetStep(uint16_t Value) {
  if (Value == 0) Value = 1;
  if (Value > 100) Value = 99;
  fStep.store(Value);
}

void TCustomVantrel::SetCenter(bool Value) {
  if (Value == fCenter) return;
  fCenter = Value;
  PlacementChanged();
}

void TCustomVantrel::SetStretch(bool Value) {
  if (Value == fStretch) return;
  fStretch = Value;
  PlacementChanged();
}

void TCustomVantrel::SetProportional(bool Value) {
  if (Value == fProportional) return;
  fProportional = Value;
  PlacementChanged();
}

void TCustomVantrel::PlacementChanged() {
  UpdateDisplayRect();
  if (!DisplayEmpty()) Invalidate();
}

void TCustomVantrel::SetBgMode(TBackgroundMode Value) {
  if (Value == fBgMode) return;
  fBgMode = Value;
  if (fBgPicture->HasGraphic()) {
    RefreshDynamicOldPic();
    Invalidate();
  }
}

void TCustomVantrel::SetFrameWidth(int32_t Value) {
  if (Value < 0) Value = 0;
  if (Value == fFrameWidth) return;
  fFrameWidth = Value;
  if (fAutoSize) AdjustSize();
  if (!DisplayEmpty()) {
    UpdateDisplayRect();
    Invalidate();
  }
}

void TCustomVantrel::SetFrameColor(TColor Value) {
  if (Value == fFrameColor) return;
  fFrameColor = Value;
  if (fFrameWidth != 0 && !DisplayEmpty()) Invalidate();
}

void TCustomVantrel::SetColor(TColor Value) {
  if (Value == fColor) return;
  fColor = Value;
  RefreshDynamicOldPic();
  Invalidate();
}

void TCustomVantrel::SetAutoSize(bool Value) {
  if (Value == fAutoSize) return;
  fAutoSize = Value;
  if (fAutoSize) AdjustSize();
}

void TCustomVantrel::SetPicture(const TPicture& Value) { fPicture->Assign(Value); }

void TCustomVantrel::SetBgPicture(const TPicture& Value) { fBgPicture->Assign(Value); }

bool TCustomVantrel::GetEmpty() const { return fPicture->Empty(); }

void TCustomVantrel::PictureChange() {
  if (fDestroying.load()) return;
  if (fPicture->HasGraphic() && fAutoSize) AdjustSize();
  DoChange();
}

void TCustomVantrel::BgPictureChange() {
  if (fBgMode == bmNone) return;
  RefreshDynamicOldPic();
  Invalidate();
}

// --- events ---

void TCustomVantrel::SetOnCustomDraw(TCustomDrawEvent e) {
  TViewLockHold lock(fCS);
  fOnCustomDraw = std::move(e);
}

void TCustomVantrel::SetOnBeforeNewFrame(TCustomDrawEvent e) {
  TViewLockHold lock(fCS);
  fOnBeforeNewFrame = std::move(e);
}

void TCustomVantrel::SetOnAfterNewFrame(TCustomDrawEvent e) {
  TViewLockHold lock(fCS);
  fOnAfterNewFrame = std::move(e);
}

void TCustomVantrel::DoChange() {
  if (fOnChange) fOnChange(*this);
}
void TCustomVantrel::DoProgress() {
  if (fOnProgress) fOnProgress(*this);
}
// The frame events belong to the frame being rendered: they run under fCS.
void TCustomVantrel::DoCustomDraw(raster::Bitmap& Picture, raster::Bitmap& Screen) {
  TViewLockHold lock(fCS);
  if (fOnCustomDraw) fOnCustomDraw(*this, Picture, Screen);
}
void TCustomVantrel::DoBeforeNewFrame(raster::Bitmap& Picture, raster::Bitmap& Screen) {
  TViewLockHold lock(fCS);
  if (fOnBeforeNewFrame) fOnBeforeNewFrame(*this, Picture, Screen);
}
void TCustomVantrel::DoAfterNewFrame(raster::Bitmap& Picture, raster::Bitmap& Screen) {
  TViewLockHold lock(fCS);
  if (fOnAfterNewFrame) fOnAfterNewFrame(*this, Picture, Screen);
}
void TCustomVantrel::DoComplete() {
  if (fOnComplete) fOnComplete(*this);
}
void TCustomVantrel::DoStart(raster::Bitmap& NewPicture, raster::Bitmap& OldPicture) {
  if (fOnStart) fOnStart(*this, NewPicture, OldPicture);
}
void TCustomVantrel::DoStop() {
  if (fOnStop) fOnStop(*this);
}

void TCustomVantrel::CMMouseEnter() {
  if (fOnMouseEnter) fOnMouseEnter(*this);
}
void TCustomVantrel::CMMouseLeave() {
  if (fOnMouseLeave) fOnMouseLeave(*this);
}

void TCustomVantrel::ReportError(const std::string& text) {
  std::fprintf(stderr, "vantrel: transition stopped: %s\n", text.c_str());
}

// --- default window operations (no window) ---

void TCustomVantrel::PutFrameOnScreen(const raster::Bitmap&, const raster::Rect&, const raster::Rect&) {}

void TCustomVantrel::PostTransitionMessage(const TTransitionMessage&) {}

uint32_t TCustomVantrel::GetTickCount() const { return platform::TickCount(); }

bool TCustomVantrel::TimeGetDevCaps(TTimeCaps& caps) const {
  caps = {platform::kTimerPeriodMin, platform::kTimerPeriodMax};
  return true;
}

}  // namespace view
