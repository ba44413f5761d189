// Keys of the slideshow, in the window and in full screen: next and previous
// photo, pause, full screen, the display interval and the first photo. Each
// drives the same handlers the settings panel and the photo cycle use, and
// shows a short note over the view.
#include <QApplication>
#include <QKeyEvent>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>

#include "app/Uphoto.h"
#include "app/file_name_bytes.h"
#include "app/status_bar.h"
#include "view/vantrel.h"

namespace app {

bool TPhotosform::SlideshowKeyDown(QObject* Sender, const QKeyEvent& event) {
  // Keys typed into the settings panel belong to its controls; one that a
  // control there passes on to its parents is not ours either.
  if (PageControl->isVisible()) {
    for (const QObject* target : {Sender, static_cast<QObject*>(QApplication::focusWidget())}) {
      const auto* widget = qobject_cast<const QWidget*>(target);
      if (widget && (widget == PageControl || PageControl->isAncestorOf(widget))) return false;
    }
  }
  if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  const bool repeated = event.isAutoRepeat();
  QString extra;
  switch (event.key()) {
    case Qt::Key_Right:
    case Qt::Key_PageDown: ShowPhotoNow(QString()); break;
    case Qt::Key_Left:
    case Qt::Key_PageUp: ShowPreviousPhoto(); break;
    case Qt::Key_Home: ShowFirstPhoto(); break;
    case Qt::Key_Space:
      if (repeated) return true;
      // The panel's own choice, so that both stay in step.
      (rbProgressAuto->isChecked() ? rbProgressManual : rbProgressAuto)->setChecked(true);
      break;
    case Qt::Key_F11:
    case Qt::Key_F:
      if (repeated) return true;
      SetFullScreen(!IsFullScreen());
      break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:  // + without Shift on many layouts
    case Qt::Key_Minus:
    case Qt::Key_Underscore: {
      const int direction = event.key() == Qt::Key_Plus || event.key() == Qt::Key_Equal ? 1 : -1;
      // The slider keeps the value within its range; its change handler sets the timer.
      tbDisplayInterval->setValue(tbDisplayInterval->value() + direction * tbDisplayInterval->pageStep());
      extra = tr("%1 秒").arg(tbDisplayInterval->value() / 1000.0, 0, 'f', 1);
      break;
    }
    default: return false;
  }
  ShowKeyNote(extra);
  return true;
}

// The running transition ends showing its new photo complete. One waiting in
// manual play that has not been moved yet has shown nothing: it is dropped,
// and the name of the photo it would have brought is returned, for that photo
// to come next.
QString TPhotosform::FinishTransition() {
  if (!Vantrel->Busy()) return {};
  const view::TPercent start = Vantrel->Reverse() ? 100 : 0, end = Vantrel->Reverse() ? 0 : 100;
  const bool unstarted = Vantrel->Manual() && Vantrel->Progress() == start;
  Vantrel->SetManual(true);  // no more steps of its own
  if (!unstarted) Vantrel->SetProgress(end);
  Vantrel->Stop();
  Vantrel->SetManual(rbProgressManual->isChecked());
  if (!unstarted || shownHistory_.empty()) return {};
  QString waiting = shownHistory_.back();
  shownHistory_.pop_back();
  return waiting;
}

void TPhotosform::ShowPhotoNow(const QString& name) {
  if (Pictures.isEmpty()) return;
  const QString waiting = FinishTransition();
  const QString next = name.isEmpty() ? waiting : name;
  if (!next.isEmpty() && next != LoadedImage) PreloadPhoto(next);
  // While paused, this one transition still runs by itself; VantrelStop
  // brings the pause back.
  const bool paused = rbProgressManual->isChecked();
  if (paused) Vantrel->SetManual(false);
  ShowNextImage();
  if (paused && !Vantrel->Busy()) Vantrel->SetManual(true);
}

// Loads `name` as the photo to show next. One that cannot be loaded (removed
// since) leaves the list and the history, and another photo is preloaded.
void TPhotosform::PreloadPhoto(const QString& name) {
  preload_.Drop();  // the photo chosen before makes way
  ReportPreloadError();
  try {
    Vantrel->Picture().LoadFromFile(JoinFileName(PicturesPath, name).toStdString());
    LoadedImage = name;
    StatusBar->SetPanelText(1, QStringLiteral("Next: ") + LoadedImage);
  } catch (const std::exception& error) {
    const qsizetype index = Pictures.indexOf(name);
    if (index >= 0) DropPicture(static_cast<int>(index));
    std::erase(shownHistory_, name);
    ReportErrorLater(QString::fromUtf8(error.what()));
    LoadNextImage();
  }
}

void TPhotosform::ShowPreviousPhoto() {
  if (Pictures.isEmpty()) return;
  FinishTransition();
  if (shownHistory_.size() < 2) return;
  shownHistory_.pop_back();  // the photo on screen; the one before comes back
  ShowPhotoNow(shownHistory_.back());
}

void TPhotosform::ShowFirstPhoto() {
  if (Pictures.isEmpty()) return;
  if (!Vantrel->Busy() && PhotoOnScreen() == Pictures.constFirst()) return;
  ShowPhotoNow(Pictures.constFirst());
}

QString TPhotosform::PhotoOnScreen() const {
  // A transition waiting in manual play at its start still shows the photo before.
  const view::TPercent start = Vantrel->Reverse() ? 100 : 0;
  const size_t skip = Vantrel->Busy() && Vantrel->Manual() && Vantrel->Progress() == start ? 2 : 1;
  return shownHistory_.size() >= skip ? shownHistory_[shownHistory_.size() - skip] : QString();
}

void TPhotosform::RememberShown(const QString& name) {
  if (name.isEmpty() || (!shownHistory_.empty() && shownHistory_.back() == name)) return;
  shownHistory_.push_back(name);
  while (shownHistory_.size() > kShownHistoryLength) shownHistory_.pop_front();
}

void TPhotosform::KeepPaused() {
  if (rbProgressManual->isChecked() && !Vantrel->Manual() && !Vantrel->Busy()) Vantrel->SetManual(true);
}

void TPhotosform::ShowKeyNote(const QString& extra) {
  const QString name = PhotoOnScreen();
  const qsizetype index = Pictures.indexOf(name);
  const QString place = index >= 0 ? QString::number(index + 1) : QStringLiteral("-");
  QStringList second{QStringLiteral("%1 / %2").arg(place).arg(Pictures.size())};
  if (rbProgressManual->isChecked()) second << tr("已暂停");
  if (!extra.isEmpty()) second << extra;
  Vantrel->ShowNote((name.isEmpty() ? QStringLiteral("-") : name) + u'\n' + second.join(QStringLiteral("   ")));
}

}  // namespace app
