#include "app/folder_watch.h"

namespace app {

TFolderWatch::TFolderWatch(std::function<void()> onChanged, QObject* parent)
    : QObject(parent), onChanged_(std::move(onChanged)) {
  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMs);
  // Each change starts the quiet period again.
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, &settle_, qOverload<>(&QTimer::start));
  connect(&settle_, &QTimer::timeout, this, [this] { onChanged_(); });
}

void TFolderWatch::Watch(const QStringList& folders) {
  const QStringList watched = watcher_.directories();
  QStringList gone;
  for (const QString& folder : watched) {
    if (!folders.contains(folder)) gone << folder;
  }
  if (!gone.isEmpty()) watcher_.removePaths(gone);
  QStringList added;
  for (const QString& folder : folders) {
    if (!watched.contains(folder)) added << folder;
  }
  // A folder that cannot be watched (gone, or past the system's limit) is
  // simply not watched; the others still are.
  if (!added.isEmpty()) watcher_.addPaths(added);
  if (folders.isEmpty()) settle_.stop();
}

}  // namespace app
