// The photo cycle: the photo list (kept by the playlist) shown in the status
// bar, the photo preloaded into the view, and the display timer that starts
// each transition.
#include <QComboBox>
#include <QCoreApplication>
#include <QCursor>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QThread>
#include <QTimer>
#include <QToolTip>
#include <stdexcept>

#include "app/Uphoto.h"
#include "app/file_name_bytes.h"
#include "app/photo_folder.h"
#include "app/status_bar.h"
#include "platform/raster/random.h"
#include "view/vantrel.h"

namespace app {

void TPhotosform::CreateImageList(const QString& Path) {
  if (Path == playlist_.PicturesPath()) return;
  const QStringList listing = playlist_.List(Path);
  if (listing.isEmpty()) {
    dialogs_.Message(this, {QCoreApplication::applicationName(),
                            Path + tr("\n找不到包含JPG格式的文件."),
                            TMessageIcon::Warning,
                            {TMessageButton::Cancel}});
    return;
  }
  playlist_.Play(Path, listing);
  ShowPhotoCount();
  StatusBar->SetPanelText(3, QStringLiteral("Folder: ") + Path);
  LoadNextImage();
}

// Plays the folder that holds the photo file `photo`; the photo's name once
// that folder plays with it listed, else empty (the folder was reported).
QString TPhotosform::PlayFolderOf(const QString& photo) {
  if (!IsPhotoFile(photo)) {
    throw std::runtime_error(tr("%1\n不是可以播放的照片.").arg(photo).toStdString());
  }
  const QFileInfo file(photo);
  const QString name = file.fileName();
  const QString folder = file.absolutePath();
  CreateImageList(folder);
  // The root folder plays as "", which joins as "/" + name all the same.
  const bool playing = JoinPath(playlist_.PicturesPath(), name) == JoinPath(folder, name);
  return playing && playlist_.Pictures().contains(name) ? name : QString();
}

// At start the photo given comes first, brought by the cycle as the first
// photo of a folder is, so that the start settings apply to it.
void TPhotosform::StartWithPhoto(const QString& photo) {
  const QString name = PlayFolderOf(photo);
  if (!name.isEmpty()) PreloadPhoto(name);
}

void TPhotosform::ShowPhotoCount() {
  StatusBar->SetPanelText(2, QString::number(playlist_.Pictures().size()) + QStringLiteral(" Image(s)"));
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
  const QString next = playlist_.ChooseNext();
  if (!next.isEmpty()) StartPreload(next);
  StatusBar->SetPanelText(1, QStringLiteral("Next: ") + playlist_.LoadedImage());
  if (!preload_.Pending()) ReportPreloadError();  // no photo of the folder is left to try
}

// Decodes `name` of the folder playing on the preload thread; the window
// thread takes it in once it is ready.
void TPhotosform::StartPreload(const QString& name) {
  // The folder was stored without one trailing separator, so the root
  // folder "/" joins as "" + "/" + name.
  preload_.Start(name, JoinFileName(playlist_.PicturesPath(), name).toStdString(), Vantrel->Picture().LoadCover(),
                 [this] {
                   QMetaObject::invokeMethod(
                       this, [this] { Guarded([&] { AdoptPreloadedPhoto(false); }); }, Qt::QueuedConnection);
                 });
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
  DropPicture(decoded->name);
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

void TPhotosform::DropPicture(const QString& name) {
  playlist_.Drop(name);
  ShowPhotoCount();
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
  if (playlist_.Pictures().isEmpty()) return;
  if (Vantrel->Busy()) Vantrel->Stop();
  switch (settings_.StyleOrder()) {
    case video_export::StyleOrder::Cycle:
      cbStyle->setCurrentIndex((cbStyle->currentIndex() + 1) % cbStyle->count());
      break;
    case video_export::StyleOrder::Random: cbStyle->setCurrentIndex(raster::Random(cbStyle->count())); break;
    case video_export::StyleOrder::Fixed: break;  // the style stays
  }
  cbStyleChange(nullptr);
  playlist_.BeginShowing();
  StatusBar->SetPanelText(0, QStringLiteral("Showing: ") + playlist_.ShowingImage());
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

void TPhotosform::CheckTimer() { SetTimerEnabled(!Vantrel->Busy() && !Paused() && !playlist_.Pictures().isEmpty()); }

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
  playlist_.RememberShown(playlist_.LoadedImage());
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
  settings_.Set(&TStartSettings::IntervalMs, tbDisplayInterval->value());
  Timer->setInterval(settings_.IntervalMs());  // restarts a running count
  SetRightAlignedCaption(lblDisplayIntervalValue, QString::asprintf("[ %.3f Seconds ]", Timer->interval() / 1000.0));
}

}  // namespace app

namespace app {

// The folder playing changed: its listing is taken in, the photo preloaded
// makes way for a newcomer (or for any photo when its file is gone), and the
// show goes on, or rests while nothing of the folder plays.
void TPhotosform::PlayingFolderChanged() {
  const TPhotoPlaylist::TListingChange change = playlist_.Rescan(TransitionWaitingAtStart());
  ShowPhotoCount();
  if (change.newcomers || change.loadedGone) LoadNextImage();
  CheckTimer();
}

}  // namespace app
