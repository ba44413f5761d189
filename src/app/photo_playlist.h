#pragma once
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>
#include <optional>

#include "app/folder_watch.h"

namespace app {

// The show's photos, without a window: the folder playing and its photo list,
// the photo on screen and the one chosen to come next, the photos brought on
// screen (for going back) and the photos added while the folder plays. The
// folder is watched; each settled change of it is reported to the owner,
// which calls Rescan and acts on what changed. Everything runs on the thread
// that made the playlist.
class TPhotoPlaylist {
 public:
  // The photos brought on screen that are kept for going back.
  static constexpr size_t kHistoryLength = 100;
  // How often the folder playing is looked up, so that one deleted and made
  // again, or replaced by a rename, is watched again.
  static constexpr int kLookUpMs = 1000;

  // `onFolderChanged` runs once a change of the folder playing has settled.
  TPhotoPlaylist(bool recursive, std::function<void()> onFolderChanged);

  bool Recursive() const { return recursive_; }
  const QStringList& Pictures() const { return pictures_; }
  // The folder playing, without one trailing separator; empty while nothing
  // of it plays.
  const QString& PicturesPath() const { return picturesPath_; }
  const QString& ShowingImage() const { return showingImage_; }
  // Chosen to come next.
  const QString& LoadedImage() const { return loadedImage_; }
  const std::deque<QString>& History() const { return history_; }
  const QStringList& Newcomers() const { return newcomers_; }
  const QString& WatchedFolder() const { return watchedFolder_; }
  // The photo files of the folder playing as listed last, those that failed
  // to load included.
  const QStringList& Listing() const { return folderListing_; }
  QStringList WatchedFolders() const { return watch_.Folders(); }

  // The photo files of `folder` (and of its sub-folders when recursive);
  // throws when the folder cannot be listed.
  QStringList List(const QString& folder) const;

  // Plays `listing` (not empty) of the folder `path` from now on: the
  // history and the newcomers of the folder before are forgotten.
  void Play(const QString& path, const QStringList& listing);

  // Chooses the photo to come next: the oldest newcomer that is not on
  // screen, else a random draw of the shared generator that, with two or more
  // photos, never gives the photo on screen. Empty when nothing plays.
  QString ChooseNext();
  // `name` comes next instead (a photo chosen by a key), or nothing.
  void SetLoaded(const QString& name) { loadedImage_ = name; }
  // The photo chosen to come next is coming in now.
  void BeginShowing() { showingImage_ = loadedImage_; }
  // `name` could not be loaded: it leaves the list and the history. Nothing
  // of the folder is left to play once the last photo has gone: choosing the
  // folder again lists it anew.
  void Drop(const QString& name);

  // History: `name` came on screen.
  void RememberShown(const QString& name);
  // Takes the last photo of the history off (a transition to it dropped
  // before it showed anything); empty when there is none.
  QString TakeLastShown();
  // The photo on screen; `waitingAtStart`: the last transition has not shown
  // anything of its photo yet.
  QString PhotoOnScreen(bool waitingAtStart) const;
  // The photo before the one on screen, which leaves the history; empty when
  // there is none.
  QString StepBack();

  // What a new listing of the folder playing changed.
  struct TListingChange {
    bool newcomers = false;  // photos joined that are to come first
    bool loadedGone = false;  // the photo chosen to come next is no longer listed
  };
  // Takes in a new listing of the folder playing. Photos listed before keep
  // their place only while they still play (one dropped for a load error
  // stays dropped); new ones join and come next, oldest first. Photos that
  // are gone leave the history; `keepLastShown` keeps the last entry, a
  // transition waiting at its start.
  TListingChange ApplyListing(const QStringList& listing, bool keepLastShown);

  // Lists the folder playing again after a change (photos still being written
  // wait for a later look) and takes the listing in.
  TListingChange Rescan(bool keepLastShown);

 private:
  QStringList WithoutFilesBeingWritten(const QStringList& listing);
  void WatchFolders();
  void LookUpFolder();
  int TakeNewcomer();

  bool recursive_;
  std::function<void()> onFolderChanged_;

  QStringList pictures_;
  QString picturesPath_;
  QString showingImage_;
  QString loadedImage_;
  std::deque<QString> history_;  // oldest first

  QString playingPath_;  // PicturesPath while photos of it play
  QString watchedFolder_;  // the same folder, "/" for the root
  std::optional<QString> watchedIdentity_;  // device and inode of the folder watched; none while it is gone
  QStringList folderListing_;  // as listed last
  QStringList newcomers_;  // added while it played, not shown yet, oldest first
  QHash<QString, qint64> sizesSeen_;  // new files not taken in yet, by the size they had
  TFolderWatch watch_;
  QTimer lookUp_;
};

}  // namespace app
