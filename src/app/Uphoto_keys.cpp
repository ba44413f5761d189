// Keys of the slideshow, in the window and in full screen: next and previous
// photo, pause, full screen, the display interval and the first photo; and
// the wheel over the photo, which steps as Right and Left do. Each calls one
// of the show's commands and shows a short note over the view.
#include <QApplication>
#include <QKeyEvent>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QWheelEvent>
#include <cstdlib>

#include "app/Uphoto.h"
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
    case Qt::Key_PageDown: ShowNext(); break;
    case Qt::Key_Left:
    case Qt::Key_PageUp: ShowPrevious(); break;
    case Qt::Key_Home: ShowFirst(); break;
    case Qt::Key_Space:
      if (repeated) return true;
      SetPaused(!Paused());
      break;
    case Qt::Key_F11:
    case Qt::Key_F:
      if (repeated) return true;
      SetFullScreen(!IsFullScreen());
      break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:  // + without Shift on many layouts
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
      ChangeInterval(event.key() == Qt::Key_Plus || event.key() == Qt::Key_Equal ? 1 : -1);
      extra = tr("%1 秒").arg(settings_.IntervalMs() / 1000.0, 0, 'f', 1);
      break;
    default: return false;
  }
  ShowKeyNote(extra);
  return true;
}

// A notch towards the user is the next photo, one away the photo before, as
// image viewers step. A touchpad's small steps add up to notches; turning the
// other way starts the count again. With a modifier (Ctrl zooms elsewhere)
// the wheel is not the show's, and neither is a sideways one.
bool TPhotosform::SlideshowWheel(const QWheelEvent& event) {
  if (event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
    return false;
  }
  const int turn = event.angleDelta().y();
  if (turn == 0) return false;
  if ((turn < 0) != (wheelTurn_ < 0)) wheelTurn_ = 0;
  wheelTurn_ += turn;
  const int notches = wheelTurn_ / QWheelEvent::DefaultDeltasPerStep;
  wheelTurn_ -= notches * QWheelEvent::DefaultDeltasPerStep;
  for (int i = 0; i < std::abs(notches); ++i) {
    if (notches < 0) {
      ShowNext();
    } else {
      ShowPrevious();
    }
  }
  if (notches != 0) ShowKeyNote({});
  return true;
}

// The running transition ends showing its new photo complete. One waiting in
// manual play that has not been moved yet has shown nothing: it is dropped,
// and the name of the photo it would have brought is returned, for that photo
// to come next.
QString TPhotosform::FinishTransition() {
  if (!Vantrel->Busy()) return {};
  const bool unstarted = TransitionWaitingAtStart();
  Vantrel->SetManual(true);  // no more steps of its own
  if (!unstarted) Vantrel->SetProgress(Vantrel->Reverse() ? 0 : 100);
  Vantrel->Stop();
  Vantrel->SetManual(Paused());
  if (!unstarted) return {};
  return playlist_.TakeLastShown();
}

void TPhotosform::ShowPhotoNow(const QString& name) {
  if (playlist_.Pictures().isEmpty()) return;
  const QString waiting = FinishTransition();
  const QString next = name.isEmpty() ? waiting : name;
  if (!next.isEmpty() && next != playlist_.LoadedImage()) PreloadPhoto(next);
  // While paused, this one transition still runs by itself; VantrelStop
  // brings the pause back.
  const bool paused = Paused();
  if (paused) Vantrel->SetManual(false);
  ShowNextImage();
  if (paused && !Vantrel->Busy()) Vantrel->SetManual(true);
}

// `name` comes next instead of the photo chosen before, decoded on the
// preload thread; ShowNextImage waits for it. One that cannot be loaded
// (removed since) leaves the list and the history, and another photo comes.
void TPhotosform::PreloadPhoto(const QString& name) {
  preload_.Drop();  // the photo chosen before makes way
  ReportPreloadError();
  playlist_.SetLoaded(name);
  StatusBar->SetPanelText(1, QStringLiteral("Next: ") + name);
  StartPreload(name);
}

// A transition waiting in manual play at its start still shows the photo before.
bool TPhotosform::TransitionWaitingAtStart() const {
  const view::TPercent start = Vantrel->Reverse() ? 100 : 0;
  return Vantrel->Busy() && Vantrel->Manual() && Vantrel->Progress() == start;
}

QString TPhotosform::PhotoOnScreen() const { return playlist_.PhotoOnScreen(TransitionWaitingAtStart()); }

void TPhotosform::KeepPaused() {
  if (Paused() && !Vantrel->Manual() && !Vantrel->Busy()) Vantrel->SetManual(true);
}

void TPhotosform::ShowKeyNote(const QString& extra) {
  const QString name = PhotoOnScreen();
  const QStringList& pictures = playlist_.Pictures();
  const qsizetype index = pictures.indexOf(name);
  const QString place = index >= 0 ? QString::number(index + 1) : QStringLiteral("-");
  QStringList second{QStringLiteral("%1 / %2").arg(place).arg(pictures.size())};
  if (Paused()) second << tr("已暂停");
  if (!extra.isEmpty()) second << extra;
  Vantrel->ShowNote((name.isEmpty() ? QStringLiteral("-") : name) + u'\n' + second.join(QStringLiteral("   ")));
}

}  // namespace app
