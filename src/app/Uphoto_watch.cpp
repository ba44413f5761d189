// The folder playing stays current: photos added to it join the list and are
// shown soon, photos removed from it leave the list and the history.
#include <QSet>

#include "app/Uphoto.h"
#include "app/folder_watch.h"
#include "app/photo_tree.h"
#include "app/status_bar.h"
#include "view/vantrel.h"

namespace app {

void TPhotosform::WatchPlayingFolder(const QString& folder, const QStringList& listing) {
  watchedFolder_ = folder;
  folderListing_ = listing;
  newcomers_.clear();
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
