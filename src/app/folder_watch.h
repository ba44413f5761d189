#pragma once
#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>

namespace app {

// Watches folders for files coming and going and reports once a burst of
// changes has settled (a copy of many photos is one report, not hundreds).
class TFolderWatch : public QObject {
 public:
  // How long the folders must stay quiet before a report.
  static constexpr int kSettleMs = 300;

  TFolderWatch(std::function<void()> onChanged, QObject* parent);
  // Watches exactly these folders from now on (none: stops watching).
  void Watch(const QStringList& folders);
  QStringList Folders() const { return watcher_.directories(); }
  // Reports again after a quiet period even if nothing changes meanwhile
  // (files being written change no folder).
  void LookAgainLater() { settle_.start(); }

 private:
  std::function<void()> onChanged_;
  QFileSystemWatcher watcher_;
  QTimer settle_;
};

}  // namespace app
