// The settings panel: each control writes one property of the view as soon as
// it changes.
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
  // A paused transition runs on to its end by itself (unthreaded: before
  // SetManual returns).
  Vantrel->SetManual(false);
  SetAutoPlayControlsEnabled(!Vantrel->Manual());
  tbProgress->setEnabled(Vantrel->Manual());
  CheckTimer();
}

void TPhotosform::rbProgressManualClick(QObject*) {
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
  Vantrel->SetStep(static_cast<uint16_t>(udProgressStep->Position()));
}

void TPhotosform::edtProgressDelayChange(QObject*) {
  Vantrel->SetDelay(static_cast<uint16_t>(udProgressDelay->Position()));
}

void TPhotosform::ckExactTimingClick(QObject*) { Vantrel->SetExactTiming(ckExactTiming->isChecked()); }

void TPhotosform::ckThreadedClick(QObject*) { Vantrel->SetThreaded(ckThreaded->isChecked()); }

void TPhotosform::ckOverDrawClick(QObject*) { Vantrel->SetOverDraw(ckOverDraw->isChecked()); }

void TPhotosform::ckCenterClick(QObject*) { Vantrel->SetCenter(ckCenter->isChecked()); }

void TPhotosform::ckStretchClick(QObject*) { Vantrel->SetStretch(ckStretch->isChecked()); }

void TPhotosform::ckProportionalClick(QObject*) { Vantrel->SetProportional(ckProportional->isChecked()); }

view::TBackgroundMode TPhotosform::SelectedBackgroundMode() const {
  const int line = cbBackgroundMode->currentIndex();
  return line >= view::bmNone && line <= view::bmCentered ? static_cast<view::TBackgroundMode>(line) : view::bmNone;
}

// In full screen the view shows neither background nor frame whatever the
// panel says; the panel's choice applies when the view returns.
void TPhotosform::cbBackgroundModeChange(QObject*) {
  if (!IsFullScreen()) Vantrel->SetBgMode(SelectedBackgroundMode());
}

void TPhotosform::edtFrameWidthChange(QObject*) {
  const int width = udFrameWidth->Position();
  if (!IsFullScreen()) Vantrel->SetFrameWidth(width);
}

void TPhotosform::btnChangeBackgroundClick(QObject*) {
  const std::optional<QString> file = dialogs_.OpenPicture(this, OpenPictureDialog);
  if (!file) return;
  Vantrel->BgPicture().LoadFromFile(QFile::encodeName(*file).toStdString());
  backgroundPicture_ = *file;
}

void TPhotosform::btnChangeFrameColorClick(QObject*) {
  ColorDialog.Color = ToQColor(Vantrel->FrameColor());
  const std::optional<QColor> chosen = dialogs_.ChooseColor(this, ColorDialog.Color);
  if (!chosen) return;
  SetFrameColor(*chosen);
}

void TPhotosform::SetFrameColor(const QColor& color) {
  ColorDialog.Color = color;
  Vantrel->SetFrameColor(ToTColor(ColorDialog.Color));
}

}  // namespace app
