#include "app/photo_playlist.h"

#include <sys/stat.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <exception>

#include "app/photo_folder.h"
#include "app/photo_tree.h"
#include "platform/raster/random.h"

namespace app {
namespace {

// Which folder a path names now: a folder deleted and made again, or
// replaced by a rename, is another one under the same name.
std::optional<QString> FolderIdentity(const QString& folder) {
  struct stat info {};
  if (::stat(QFile::encodeName(folder).constData(), &info) != 0 || !S_ISDIR(info.st_mode)) return std::nullopt;
  return QStringLiteral("%1:%2").arg(info.st_dev).arg(info.st_ino);
}

}  // namespace

TPhotoPlaylist::TPhotoPlaylist(bool recursive, std::function<void()> onFolderChanged)
    : recursive_(recursive),
      onFolderChanged_(std::move(onFolderChanged)),
      watch_([this] { onFolderChanged_(); }, nullptr) {
  lookUp_.setInterval(kLookUpMs);
  QObject::connect(&lookUp_, &QTimer::timeout, [this] { LookUpFolder(); });
}

QStringList TPhotoPlaylist::List(const QString& folder) const {
  return recursive_ ? ListPictureTree(folder) : ListPictureNames(folder);
}

void TPhotoPlaylist::Play(const QString& path, const QStringList& listing) {
  pictures_ = listing;
  picturesPath_ = path.endsWith(u'/') ? path.chopped(1) : path;
  history_.clear();  // names of another folder: going back ends here
  playingPath_ = picturesPath_;
  watchedFolder_ = path.isEmpty() || !picturesPath_.isEmpty() ? picturesPath_ : path;  // the root is "/"
  watchedIdentity_ = FolderIdentity(watchedFolder_);
  folderListing_ = listing;
  newcomers_.clear();
  sizesSeen_.clear();
  WatchFolders();
  lookUp_.start();
}

QString TPhotoPlaylist::ChooseNext() {
  loadedImage_.clear();
  if (pictures_.isEmpty()) return loadedImage_;
  const int count = static_cast<int>(pictures_.size());
  int index = TakeNewcomer();
  if (index < 0) {
    index = raster::Random(count);
    if (count > 1) {
      while (pictures_[index] == showingImage_) index = raster::Random(count);
    }
  }
  loadedImage_ = pictures_[index];
  return loadedImage_;
}

void TPhotoPlaylist::Drop(const QString& name) {
  pictures_.removeAll(name);
  std::erase(history_, name);
  if (loadedImage_ == name) loadedImage_.clear();
  if (pictures_.isEmpty()) picturesPath_.clear();
}

void TPhotoPlaylist::RememberShown(const QString& name) {
  if (name.isEmpty() || (!history_.empty() && history_.back() == name)) return;
  history_.push_back(name);
  while (history_.size() > kHistoryLength) history_.pop_front();
}

QString TPhotoPlaylist::TakeLastShown() {
  if (history_.empty()) return {};
  QString last = history_.back();
  history_.pop_back();
  return last;
}

QString TPhotoPlaylist::PhotoOnScreen(bool waitingAtStart) const {
  const size_t skip = waitingAtStart ? 2 : 1;
  return history_.size() >= skip ? history_[history_.size() - skip] : QString();
}

QString TPhotoPlaylist::StepBack() {
  if (history_.size() < 2) return {};
  history_.pop_back();  // the photo on screen; the one before comes back
  return history_.back();
}

TPhotoPlaylist::TListingChange TPhotoPlaylist::ApplyListing(const QStringList& listing, bool keepLastShown) {
  const QSet<QString> before(folderListing_.cbegin(), folderListing_.cend());
  const QSet<QString> playing(pictures_.cbegin(), pictures_.cend());
  QStringList pictures;
  for (const QString& name : listing) {
    const bool added = !before.contains(name);
    if (added) newcomers_ << name;
    if (added || playing.contains(name)) pictures << name;
  }
  const QSet<QString> now(pictures.cbegin(), pictures.cend());
  newcomers_.removeIf([&](const QString& name) { return !now.contains(name); });
  const QString last = keepLastShown && !history_.empty() ? history_.back() : QString();
  std::erase_if(history_, [&](const QString& name) { return !now.contains(name); });
  if (!last.isEmpty() && (history_.empty() || history_.back() != last)) history_.push_back(last);
  folderListing_ = listing;
  pictures_ = pictures;
  picturesPath_ = pictures_.isEmpty() ? QString() : playingPath_;
  return {!newcomers_.isEmpty(), !now.contains(loadedImage_)};
}

TPhotoPlaylist::TListingChange TPhotoPlaylist::Rescan(bool keepLastShown) {
  if (watchedFolder_.isEmpty()) return {};
  // Sub-folders are watched before they are listed, so that a photo written
  // into one made meanwhile is either in the listing or reported later. One
  // made while the watch was being set may still have been missed: when the
  // folders watched change, the folder is looked at again.
  const QStringList before = watch_.Folders();
  const QSet<QString> watchedBefore(before.cbegin(), before.cend());
  if (recursive_) WatchFolders();
  QStringList listing;
  try {
    listing = List(watchedFolder_);
  } catch (const std::exception&) {
    // The folder went away or cannot be read: nothing of it is left to play.
  }
  const TListingChange change = ApplyListing(WithoutFilesBeingWritten(listing), keepLastShown);
  if (recursive_) {
    WatchFolders();
    const QStringList after = watch_.Folders();
    if (QSet<QString>(after.cbegin(), after.cend()) != watchedBefore) watch_.LookAgainLater();
  }
  return change;
}

// A new file is taken in once it has kept its size from one look to the next
// and has not been written to for a quiet period: a photo still being copied
// would fail to load (and be reported) or show half. Those not ready yet are
// left out, and the folder is looked at again.
QStringList TPhotoPlaylist::WithoutFilesBeingWritten(const QStringList& listing) {
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
  if (!sizesSeen_.isEmpty()) watch_.LookAgainLater();
  return ready;
}

// The folder playing and, when sub-folders play too, each of them: a
// sub-folder made or removed later changes its parent, and the next listing
// watches it or lets it go.
void TPhotoPlaylist::WatchFolders() {
  QStringList folders{watchedFolder_};
  if (recursive_) {
    try {
      folders = ListPictureFolders(watchedFolder_);
    } catch (const std::exception&) {
      // The folder itself is still watched.
    }
  }
  watch_.Watch(folders);
}

// A folder watch follows the folder it was set on, not its name: once the
// name stands for another folder (or for none), the watch is set anew and the
// folder listed.
void TPhotoPlaylist::LookUpFolder() {
  if (watchedFolder_.isEmpty()) return;
  const std::optional<QString> identity = FolderIdentity(watchedFolder_);
  if (identity == watchedIdentity_) return;
  watchedIdentity_ = identity;
  watch_.Watch({});
  WatchFolders();
  onFolderChanged_();
}

// The first photo added while the folder played that has not been shown yet.
int TPhotoPlaylist::TakeNewcomer() {
  while (!newcomers_.isEmpty()) {
    const QString name = newcomers_.takeFirst();
    const qsizetype index = pictures_.indexOf(name);
    if (index >= 0 && name != showingImage_) return static_cast<int>(index);
  }
  return -1;
}

}  // namespace app
