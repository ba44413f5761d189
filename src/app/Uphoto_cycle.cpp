// The photo cycle: the list of photos of one folder, the photo preloaded into
// the view, and the display timer that starts each transition.
#include <QComboBox>
#include <QCoreApplication>
#include <QCursor>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QThread>
#include <QTimer>
#include <QToolTip>

#include "app/Uphoto.h"
#include "app/file_name_bytes.h"
#include "app/photo_folder.h"
#include "app/radio_group.h"
#include "app/status_bar.h"
#include "platform/raster/random.h"
#include "view/vantrel.h"

namespace app {

void TPhotosform::CreateImageList(const QString& Path) {
  if (Path == PicturesPath) return;
  const QStringList listing = ListPictures(Path);
  if (listing.isEmpty()) {
    dialogs_.Message(this, {QCoreApplication::applicationName(),
                            Path + tr("\n找不到包含JPG格式的文件."),
                            TMessageIcon::Warning,
                            {TMessageButton::Cancel}});
    return;
  }
  Pictures = listing;
  PicturesPath = Path.endsWith(u'/') ? Path.chopped(1) : Path;
  WatchPlayingFolder(PicturesPath, listing);
  shownHistory_.clear();  // names of another folder: going back ends here
  StatusBar->SetPanelText(2, QString::number(Pictures.size()) + QStringLiteral(" Image(s)"));
  StatusBar->SetPanelText(3, QStringLiteral("Folder: ") + Path);
  LoadNextImage();
}

// A photo that cannot be loaded (removed, damaged) is reported and leaves the
// list, and another one is tried, so that one bad file does not stop the
// show; it rests only when no photo of the folder loads.
void TPhotosform::LoadNextImage() {
  LoadedImage.clear();
  QString firstError;
  while (!Pictures.isEmpty()) {
    const int count = static_cast<int>(Pictures.size());
    // Photos added while the folder plays come first, in the order they came.
    int Index = TakeNewcomer();
    if (Index < 0) {
      Index = raster::Random(count);
      // With two or more photos the one on screen is never chosen again at once.
      if (count > 1) {
        while (Pictures[Index] == ShowingImage) Index = raster::Random(count);
      }
    }
    LoadedImage = Pictures[Index];
    try {
      // The folder was stored without one trailing separator, so the root
      // folder "/" joins as "" + "/" + name.
      Vantrel->Picture().LoadFromFile(JoinFileName(PicturesPath, LoadedImage).toStdString());
      break;
    } catch (const std::exception& error) {
      if (firstError.isEmpty()) firstError = QString::fromUtf8(error.what());
      DropPicture(Index);
    }
  }
  StatusBar->SetPanelText(1, QStringLiteral("Next: ") + LoadedImage);
  if (!firstError.isEmpty()) ReportErrorLater(firstError);
}

void TPhotosform::DropPicture(int Index) {
  Pictures.removeAt(Index);
  LoadedImage.clear();
  StatusBar->SetPanelText(2, QString::number(Pictures.size()) + QStringLiteral(" Image(s)"));
  // Nothing of the folder is left to play: choosing it again lists it anew.
  if (Pictures.isEmpty()) PicturesPath.clear();
}

// Shown once the current handler has returned: a load error may arise while
// the view starts a transition, which must not wait for a message box.
void TPhotosform::ReportErrorLater(const QString& text) {
  QMetaObject::invokeMethod(
      this, [this, text] { ShowError(text); }, Qt::QueuedConnection);
}

void TPhotosform::ShowNextImage() {
  SetTimerEnabled(false);
  if (Pictures.isEmpty()) return;
  if (Vantrel->Busy()) Vantrel->Stop();
  switch (rgStyleControl->ItemIndex()) {
    case 0: cbStyle->setCurrentIndex((cbStyle->currentIndex() + 1) % cbStyle->count()); break;
    case 1: cbStyle->setCurrentIndex(raster::Random(cbStyle->count())); break;
    default: break;  // the style stays
  }
  cbStyleChange(nullptr);
  ShowingImage = LoadedImage;
  StatusBar->SetPanelText(0, QStringLiteral("Showing: ") + ShowingImage);
  Vantrel->Execute();
}

void TPhotosform::cbStyleChange(QObject*) {
  const int N = cbStyle->currentIndex() + 1;
  if (N == Vantrel->Style()) return;
  Vantrel->SetStyle(static_cast<view::TShowStyle>(N));
  SetRightAlignedCaption(lblStyleNo, QString::asprintf("[ #%d ]", Vantrel->Style()));
  lblStyleNo->repaint();
  cbStyle->setToolTip(QString::fromStdString(Vantrel->StyleName()));
  // A hint shown now would name the old style: take it down.
  if (cbStyle->rect().contains(cbStyle->mapFromGlobal(QCursor::pos()))) QToolTip::hideText();
}

void TPhotosform::CheckTimer() {
  SetTimerEnabled(!Vantrel->Busy() && rbProgressAuto->isChecked() && !Pictures.isEmpty());
}

// Enabling a running timer keeps its count; enabling a stopped one starts a
// full interval.
void TPhotosform::SetTimerEnabled(bool enabled) {
  if (!enabled) {
    Timer->stop();
  } else if (!Timer->isActive()) {
    Timer->start();
  }
}

void TPhotosform::TimerTimer(QObject*) { ShowNextImage(); }

void TPhotosform::VantrelStart(QObject*, raster::Bitmap&, raster::Bitmap&) {
  // The photo preloaded is the one this transition brings in (ShowingImage
  // names it only when the cycle started the transition).
  RememberShown(LoadedImage);
  CheckTimer();
  LoadNextImage();
}

void TPhotosform::VantrelStop(QObject*) {
  KeepPaused();  // a photo brought in by a key while paused has come
  CheckTimer();
}

void TPhotosform::VantrelProgress(QObject* Sender) {
  // A threaded transition whose mode was switched off may report from the
  // view's timer thread: controls are moved on the window's thread only.
  if (QThread::currentThread() != thread()) {
    QMetaObject::invokeMethod(
        this, [this, Sender] { Guarded([&] { VantrelProgress(Sender); }); }, Qt::QueuedConnection);
    return;
  }
  tbProgress->setValue(Vantrel->Progress());
}

void TPhotosform::tbDisplayIntervalChange(QObject*) {
  Timer->setInterval(tbDisplayInterval->value());  // restarts a running count
  SetRightAlignedCaption(lblDisplayIntervalValue, QString::asprintf("[ %.3f Seconds ]", Timer->interval() / 1000.0));
}

}  // namespace app
