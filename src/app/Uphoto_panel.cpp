// The settings panel: each control writes its setting of the show and the
// property of the view as soon as it changes.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTabWidget>

#include "app/Uphoto.h"
#include "app/color_conversion.h"
#include "app/up_down.h"
#include "view/vantrel.h"

namespace app {
void TPhotosform::Button1Click(QObject*) { PageControl->hide(); }

void TPhotosform::SetAutoPlayControlsEnabled(bool enabled) {
  for (QWidget* control :
       std::initializer_list<QWidget*>{lblProgressStep, edtProgressStep, udProgressStep, lblProgressDelay,
                                       edtProgressDelay, udProgressDelay, ckExactTiming, ckThreaded}) {
    control->setEnabled(enabled);
  }
}

void TPhotosform::rbProgressAutoClick(QObject*) {
  settings_.Set(&TStartSettings::Manual, false);
  // A paused transition runs on to its end by itself (unthreaded: before
  // SetManual returns).
  Vantrel->SetManual(false);
  SetAutoPlayControlsEnabled(!Vantrel->Manual());
  tbProgress->setEnabled(Vantrel->Manual());
  CheckTimer();
}

void TPhotosform::rbProgressManualClick(QObject*) {
  settings_.Set(&TStartSettings::Manual, true);
  Vantrel->SetManual(true);  // a running transition stops where it is and waits
  SetAutoPlayControlsEnabled(!Vantrel->Manual());
  tbProgress->setEnabled(Vantrel->Manual());
  tbProgress->setPageStep(Vantrel->Step());
  tbProgress->setValue(Vantrel->Progress());
  CheckTimer();
  SettlePreload();  // the transition brings the photo chosen to come next
  if (!Vantrel->Busy() && !Vantrel->Empty()) {
    // Paint what is pending, so that the transition starts from what shows.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    Vantrel->Execute();
  }
}

void TPhotosform::tbProgressChange(QObject*) {
  if (Vantrel->Manual()) Vantrel->SetProgress(static_cast<view::TPercent>(tbProgress->value()));
}

void TPhotosform::edtProgressStepChange(QObject*) {
  settings_.Set(&TStartSettings::Step, udProgressStep->Position());
  Vantrel->SetStep(static_cast<uint16_t>(settings_.Get(&TStartSettings::Step)));
}

void TPhotosform::edtProgressDelayChange(QObject*) {
  settings_.Set(&TStartSettings::Delay, udProgressDelay->Position());
  Vantrel->SetDelay(static_cast<uint16_t>(settings_.Get(&TStartSettings::Delay)));
}

void TPhotosform::ckExactTimingClick(QObject*) {
  settings_.Set(&TStartSettings::ExactTiming, ckExactTiming->isChecked());
  Vantrel->SetExactTiming(settings_.Get(&TStartSettings::ExactTiming));
}

void TPhotosform::ckThreadedClick(QObject*) {
  settings_.Set(&TStartSettings::Threaded, ckThreaded->isChecked());
  Vantrel->SetThreaded(settings_.Get(&TStartSettings::Threaded));
}

void TPhotosform::ckOverDrawClick(QObject*) { Vantrel->SetOverDraw(ckOverDraw->isChecked()); }

void TPhotosform::ckCenterClick(QObject*) {
  settings_.Set(&TStartSettings::Center, ckCenter->isChecked());
  Vantrel->SetCenter(settings_.Get(&TStartSettings::Center));
}

void TPhotosform::ckStretchClick(QObject*) {
  settings_.Set(&TStartSettings::Stretch, ckStretch->isChecked());
  Vantrel->SetStretch(settings_.Get(&TStartSettings::Stretch));
}

void TPhotosform::ckProportionalClick(QObject*) {
  settings_.Set(&TStartSettings::Proportional, ckProportional->isChecked());
  Vantrel->SetProportional(settings_.Get(&TStartSettings::Proportional));
}

view::TBackgroundMode TPhotosform::SelectedBackgroundMode() const {
  return static_cast<view::TBackgroundMode>(settings_.Get(&TStartSettings::BackgroundMode));
}

// In full screen the view shows neither background nor frame whatever the
// panel says; the panel's choice applies when the view returns.
void TPhotosform::cbBackgroundModeChange(QObject*) {
  const int line = cbBackgroundMode->currentIndex();
  settings_.Set(&TStartSettings::BackgroundMode, line >= view::bmNone && line <= view::bmCentered ? line : 0);
  if (!IsFullScreen()) Vantrel->SetBgMode(SelectedBackgroundMode());
}

void TPhotosform::edtFrameWidthChange(QObject*) {
  settings_.Set(&TStartSettings::FrameWidth, udFrameWidth->Position());
  if (!IsFullScreen()) Vantrel->SetFrameWidth(settings_.Get(&TStartSettings::FrameWidth));
}

void TPhotosform::btnChangeBackgroundClick(QObject*) {
  const std::optional<QString> file = dialogs_.OpenPicture(this, OpenPictureDialog);
  if (!file) return;
  Vantrel->BgPicture().LoadFromFile(QFile::encodeName(*file).toStdString());
  settings_.Set(&TStartSettings::BackgroundPicture, *file);
}

void TPhotosform::btnChangeFrameColorClick(QObject*) {
  ColorDialog.Color = ToQColor(Vantrel->FrameColor());
  const std::optional<QColor> chosen = dialogs_.ChooseColor(this, ColorDialog.Color);
  if (!chosen) return;
  SetFrameColor(*chosen);
}

void TPhotosform::SetFrameColor(const QColor& color) {
  ColorDialog.Color = color;
  settings_.Set(&TStartSettings::FrameColor, color);
  Vantrel->SetFrameColor(ToTColor(ColorDialog.Color));
}

}  // namespace app
