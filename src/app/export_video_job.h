#pragma once
#include <QObject>
#include <QPointer>
#include <QProgressDialog>
#include <QString>
#include <functional>
#include <stop_token>
#include <thread>

#include "export/export_settings.h"

class QWidget;

namespace app {

// One video export running on a thread of its own, with a progress dialog
// whose cancel button stops it. The window's thread only sees progress and
// the end, both posted to it; the slideshow goes on meanwhile. Destroying
// the job stops the export and waits for its thread.
class TExportVideoJob : public QObject {
  Q_OBJECT

 public:
  // Called on the window's thread when the export has ended: the text to
  // show (empty when cancelled), and whether the video was written.
  using TDone = std::function<void(const QString& text, bool written)>;

  TExportVideoJob(QWidget* owner, const video_export::ExportSettings& settings, TDone done);
  ~TExportVideoJob() override;

  QProgressDialog* Progress() const { return progress_; }

 private:
  void Run(std::stop_token stop);
  void ShowProgress(qint64 done, qint64 total, double secondsLeft);
  void Finish(const QString& text, bool written);

  video_export::ExportSettings settings_;
  TDone done_;
  QPointer<QProgressDialog> progress_;  // a window of the owner, which may go first
  std::jthread worker_;  // last: started when everything it uses exists, joined first
};

}  // namespace app
