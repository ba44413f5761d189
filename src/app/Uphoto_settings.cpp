// Settings the window starts with (remembered from the last run, or given on
// the command line) and the settings it hands back to be remembered. Each one
// goes through the panel control that holds it, whose handler sets the view.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QToolButton>

#include "app/Uphoto.h"
#include "app/color_conversion.h"
#include "app/console.h"
#include "app/radio_group.h"
#include "app/up_down.h"
#include "app/window_placement.h"
#include "view/vantrel.h"

namespace app {

void TPhotosform::ApplyStartSettings(const TStartSettings& s) {
  if (s.StyleOrder) rgStyleControl->SetItemIndex(static_cast<int>(*s.StyleOrder));
  if (s.FirstStyle) StartWithStyle(*s.FirstStyle);
  // Setting an up-down position writes its box, whose change handler sets the view.
  if (s.Step) udProgressStep->SetPosition(*s.Step);
  if (s.Delay) udProgressDelay->SetPosition(*s.Delay);
  // Setting a check box to a new state runs its click handler.
  if (s.ExactTiming) ckExactTiming->setChecked(*s.ExactTiming);
  if (s.Threaded) ckThreaded->setChecked(*s.Threaded);
  if (s.Center) ckCenter->setChecked(*s.Center);
  if (s.Stretch) ckStretch->setChecked(*s.Stretch);
  if (s.Proportional) ckProportional->setChecked(*s.Proportional);
  if (s.BackgroundMode) {
    cbBackgroundMode->setCurrentIndex(*s.BackgroundMode);
    cbBackgroundModeChange(cbBackgroundMode);  // a line chosen by the program raises no change
  }
  if (s.BackgroundPicture) {
    try {
      Vantrel->BgPicture().LoadFromFile(QFile::encodeName(*s.BackgroundPicture).toStdString());
      settings_.Set(&TStartSettings::BackgroundPicture, *s.BackgroundPicture);
    } catch (const std::exception& error) {
      PrintProblem(QStringLiteral("the remembered background picture is not used: ") + QString::fromUtf8(error.what()));
    }
  }
  if (s.FrameWidth) udFrameWidth->SetPosition(*s.FrameWidth);
  if (s.FrameColor) SetFrameColor(*s.FrameColor);
  if (s.IntervalMs) tbDisplayInterval->setValue(*s.IntervalMs);  // its change handler sets the timer
  if (s.WindowPosition) MoveIfOnScreen(*s.WindowPosition);
  // Last: manual play prepares a transition to the photo already preloaded.
  if (s.Manual) (*s.Manual ? rbProgressManual : rbProgressAuto)->setChecked(true);
  startFullScreen_ = s.FullScreen.value_or(false);
}

// The next transition uses `style`: in catalogue order the line before it is
// selected, since each transition first moves one line on.
void TPhotosform::StartWithStyle(int style) {
  const int line = settings_.StyleOrder() == video_export::StyleOrder::Cycle ? style - 2 : style - 1;
  cbStyle->setCurrentIndex(line);
  cbStyleChange(cbStyle);
}

// A position remembered on a screen that is gone would hide the window; one
// on a screen that has since become smaller is moved to keep it reachable.
void TPhotosform::MoveIfOnScreen(const QPoint& position) {
  const QRect wanted(position, size());
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (screen->geometry().contains(wanted.center())) {
      move(KeepReachable(position, size(), screen->availableGeometry(), SpeedButton1->geometry()));
      return;
    }
  }
}

TStartSettings TPhotosform::RememberedSettings() {
  TStartSettings s = settings_.Values();
  if (s.BackgroundPicture && s.BackgroundPicture->isEmpty()) s.BackgroundPicture.reset();  // none chosen
  if (!playlist_.PicturesPath().isEmpty()) s.Folder = playlist_.PicturesPath();
  s.WindowPosition = pos();
  s.FullScreen = IsFullScreen();
  return s;
}

}  // namespace app
