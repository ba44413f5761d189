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
// show; it rests only when no photo of the folder loads. The photo is decoded
// on a worker thread and taken in once decoded (AdoptPreloadedPhoto), or when
// it is needed before (SettlePreload).
void TPhotosform::LoadNextImage() {
  preloadError_.clear();
  PreloadAnother();
}

void TPhotosform::PreloadAnother() {
  LoadedImage.clear();
  if (!Pictures.isEmpty()) {
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
    // The folder was stored without one trailing separator, so the root
    // folder "/" joins as "" + "/" + name.
    preload_.Start(LoadedImage, JoinFileName(PicturesPath, LoadedImage).toStdString(), Vantrel->Picture().LoadCover(),
                   [this] {
                     QMetaObject::invokeMethod(
                         this, [this] { Guarded([&] { AdoptPreloadedPhoto(false); }); }, Qt::QueuedConnection);
                   });
  }
  StatusBar->SetPanelText(1, QStringLiteral("Next: ") + LoadedImage);
  if (!preload_.Pending()) ReportPreloadError();  // no photo of the folder is left to try
}

// Takes in the photo decoded ahead, waiting for it when `wait` holds; one
// that failed leaves the list, and another photo is tried.
void TPhotosform::AdoptPreloadedPhoto(bool wait) {
  std::optional<TPhotoPreload::TDecoded> decoded = preload_.Take(wait);
  if (!decoded) return;
  if (decoded->graphic) {
    Vantrel->Picture().SetGraphic(std::move(decoded->graphic));
    ReportPreloadError();
    return;
  }
  if (preloadError_.isEmpty()) preloadError_ = decoded->error;
  const qsizetype index = Pictures.indexOf(decoded->name);
  if (index >= 0) DropPicture(static_cast<int>(index));
  PreloadAnother();
}

// The photo to show next is in the view, or no photo of the folder loads.
void TPhotosform::SettlePreload() {
  while (preload_.Pending()) AdoptPreloadedPhoto(true);
}

// One report for all the photos that failed before one loaded.
void TPhotosform::ReportPreloadError() {
  if (preloadError_.isEmpty()) return;
  ReportErrorLater(preloadError_);
  preloadError_.clear();
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
  SettlePreload();
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
