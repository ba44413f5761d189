// The folder playing stays current: photos added to it join the list and are
// shown soon, photos removed from it leave the list and the history.
#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include "app/Uphoto.h"
#include "app/folder_watch.h"
#include "app/photo_folder.h"
#include "app/photo_tree.h"
#include "app/status_bar.h"
#include "view/vantrel.h"

namespace app {

void TPhotosform::WatchPlayingFolder(const QString& folder, const QStringList& listing) {
  watchedFolder_ = folder;
  folderListing_ = listing;
  newcomers_.clear();
  sizesSeen_.clear();
  WatchFolders();
}

// The folder playing and, when sub-folders play too, each of them: a
// sub-folder made or removed later changes its parent, and the next listing
// watches it or lets it go.
void TPhotosform::WatchFolders() {
  QStringList folders{watchedFolder_};
  if (setup_.Recursive) {
    try {
      folders = ListPictureFolders(watchedFolder_);
    } catch (const std::exception&) {
      // The folder itself is still watched.
    }
  }
  folderWatch_->Watch(folders);
}

void TPhotosform::PlayingFolderChanged() {
  if (watchedFolder_.isEmpty()) return;
  QStringList listing;
  try {
    listing = ListPictures(watchedFolder_);
  } catch (const std::exception&) {
    // The folder went away or cannot be read: nothing of it is left to play.
  }
  listing = WithoutFilesBeingWritten(listing);
  const QSet<QString> before(folderListing_.cbegin(), folderListing_.cend());
  const QSet<QString> playing(Pictures.cbegin(), Pictures.cend());
  // Photos that were listed before keep their place only while they still
  // play (one dropped for a load error stays dropped); new ones join.
  QStringList pictures;
  for (const QString& name : listing) {
    const bool added = !before.contains(name);
    if (added) newcomers_ << name;
    if (added || playing.contains(name)) pictures << name;
  }
  const QSet<QString> now(pictures.cbegin(), pictures.cend());
  newcomers_.removeIf([&](const QString& name) { return !now.contains(name); });
  ForgetShown(now);
  folderListing_ = listing;
  Pictures = pictures;
  PicturesPath = Pictures.isEmpty() ? QString() : watchedFolder_;
  StatusBar->SetPanelText(2, QString::number(Pictures.size()) + QStringLiteral(" Image(s)"));
  if (setup_.Recursive) WatchFolders();
  // The photo preloaded makes way for a newcomer, or for any photo when its
  // file is gone.
  if (!newcomers_.isEmpty() || !now.contains(LoadedImage)) LoadNextImage();
  CheckTimer();
}

// A new file is taken in once it has kept its size from one look to the next
// and has not been written to for a quiet period: a photo still being copied
// would fail to load (and be reported) or show half. Those not ready yet are
// left out of `listing`, and the folder is looked at again.
QStringList TPhotosform::WithoutFilesBeingWritten(const QStringList& listing) {
  const QSet<QString> before(folderListing_.cbegin(), folderListing_.cend());
  const QDateTime now = QDateTime::currentDateTimeUtc();
  QHash<QString, qint64> stillWritten;
  QStringList ready;
  for (const QString& name : listing) {
    if (!before.contains(name)) {
      const QFileInfo file(JoinPath(watchedFolder_, name));
      const qint64 size = file.size();
      const bool quiet = file.lastModified().msecsTo(now) >= TFolderWatch::kSettleMs;
      if (sizesSeen_.value(name, -1) != size || !quiet) {
        stillWritten.insert(name, size);
        continue;
      }
    }
    ready << name;
  }
  sizesSeen_ = stillWritten;
  if (!sizesSeen_.isEmpty()) folderWatch_->LookAgainLater();
  return ready;
}

// Drops from the history the photos that no longer play. A transition
// waiting at its start in manual play keeps its entry, the last one, until it
// is shown or dropped.
void TPhotosform::ForgetShown(const QSet<QString>& playing) {
  const view::TPercent start = Vantrel->Reverse() ? 100 : 0;
  const bool waiting = Vantrel->Busy() && Vantrel->Manual() && Vantrel->Progress() == start;
  const QString last = waiting && !shownHistory_.empty() ? shownHistory_.back() : QString();
  std::erase_if(shownHistory_, [&](const QString& name) { return !playing.contains(name); });
  if (!last.isEmpty() && (shownHistory_.empty() || shownHistory_.back() != last)) shownHistory_.push_back(last);
}

// The first photo added while the folder played that has not been shown yet.
int TPhotosform::TakeNewcomer() {
  while (!newcomers_.isEmpty()) {
    const QString name = newcomers_.takeFirst();
    const qsizetype index = Pictures.indexOf(name);
    if (index >= 0 && name != ShowingImage) return static_cast<int>(index);
  }
  return -1;
}

}  // namespace app
