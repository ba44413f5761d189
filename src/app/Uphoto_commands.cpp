// The show's commands, which the keys, the context menu and the settings
// panel all call.
#include <QRadioButton>
#include <QSlider>

#include "app/Uphoto.h"
#include "view/vantrel.h"

namespace app {

void TPhotosform::ShowNext() { ShowPhotoNow(QString()); }

void TPhotosform::ShowPrevious() {
  if (playlist_.Pictures().isEmpty()) return;
  FinishTransition();
  const QString before = playlist_.StepBack();
  if (!before.isEmpty()) ShowPhotoNow(before);
}

void TPhotosform::ShowFirst() {
  if (playlist_.Pictures().isEmpty()) return;
  const QString first = playlist_.Pictures().constFirst();
  if (!Vantrel->Busy() && PhotoOnScreen() == first) return;
  ShowPhotoNow(first);
}

// The panel's play-mode buttons hold the choice; checking one runs its
// handler, which sets the view and the timer.
void TPhotosform::SetPaused(bool paused) { (paused ? rbProgressManual : rbProgressAuto)->setChecked(true); }

bool TPhotosform::Paused() const { return settings_.Get(&TStartSettings::Manual); }

// The slider shows the interval and keeps it within its range; its change
// handler sets the interval and the timer.
void TPhotosform::ChangeInterval(int direction) {
  tbDisplayInterval->setValue(settings_.IntervalMs() + direction * kIntervalStepMs);
}

void TPhotosform::PlayFolder(const QString& folder) { CreateImageList(folder); }

void TPhotosform::PlayPhoto(const QString& photo) {
  const QString name = PlayFolderOf(photo);
  if (!name.isEmpty()) ShowPhotoNow(name);
}

}  // namespace app
