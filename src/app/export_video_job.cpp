#include "app/export_video_job.h"

#include <QMetaObject>
#include <QProgressDialog>
#include <chrono>

#include "export/export_error.h"
#include "export/slideshow_export.h"
#include "platform/raster/random.h"

namespace app {

namespace {

// Hands progress to the window's thread, a few times a second at most.
class PostedProgress : public video_export::ExportObserver {
 public:
  explicit PostedProgress(std::function<void(const video_export::ExportProgress&)> post) : post_(std::move(post)) {}
  void OnProgress(const video_export::ExportProgress& p) override {
    const auto now = std::chrono::steady_clock::now();
    if (now - last_ < std::chrono::milliseconds(100) && p.framesDone < p.framesTotal) return;
    last_ = now;
    post_(p);
  }

 private:
  std::function<void(const video_export::ExportProgress&)> post_;
  std::chrono::steady_clock::time_point last_{};
};

}  // namespace

TExportVideoJob::TExportVideoJob(QWidget* owner, const video_export::ExportSettings& settings, TDone done)
    : QObject(owner), settings_(settings), done_(std::move(done)) {
  progress_ = new QProgressDialog(tr("正在导出视频..."), tr("取消"), 0, 1, owner);
  progress_->setObjectName(QStringLiteral("ExportVideoProgress"));
  progress_->setWindowTitle(tr("导出视频"));
  progress_->setWindowModality(Qt::NonModal);  // the slideshow stays usable
  progress_->setAutoClose(false);
  progress_->setAutoReset(false);
  progress_->setMinimumDuration(0);
  progress_->setValue(0);
  connect(progress_, &QProgressDialog::canceled, this, [this] {
    progress_->setLabelText(tr("正在取消..."));
    worker_.request_stop();
  });
  worker_ = std::jthread([this](std::stop_token stop) { Run(stop); });
}

TExportVideoJob::~TExportVideoJob() {
  worker_.request_stop();
  if (worker_.joinable()) worker_.join();
  delete progress_;
}

// On the worker thread: everything reaches the window's thread as a posted call.
void TExportVideoJob::Run(std::stop_token stop) {
  PostedProgress observer([this](const video_export::ExportProgress& p) {
    QMetaObject::invokeMethod(
        this, [this, p] { ShowProgress(p.framesDone, p.framesTotal, p.secondsLeft); }, Qt::QueuedConnection);
  });
  // The export's free random patterns come from a generator of its own,
  // started at the export's seed: the show's sequence is left alone.
  const raster::TThreadGenerator generator(settings_.seed);
  QString text;
  bool written = false;
  try {
    const video_export::ExportSummary s = video_export::ExportSlideshow(settings_, observer, stop);
    text = tr("视频已导出：%1\n%2 张照片，%3 秒")
               .arg(QString::fromStdString(settings_.output.string()))
               .arg(s.photos)
               .arg(s.seconds, 0, 'f', 1);
    written = true;
  } catch (const video_export::ExportCancelled&) {
    // Nothing to say: the user asked for it, and nothing was written.
  } catch (const std::exception& e) {
    text = tr("导出视频失败：%1").arg(QString::fromUtf8(e.what()));
  }
  QMetaObject::invokeMethod(
      this, [this, text, written] { Finish(text, written); }, Qt::QueuedConnection);
}

void TExportVideoJob::ShowProgress(qint64 done, qint64 total, double secondsLeft) {
  if (!progress_ || worker_.get_stop_token().stop_requested()) return;
  progress_->setMaximum(int(std::max<qint64>(total, 1)));
  progress_->setValue(int(std::min(done, total)));
  progress_->setLabelText(tr("正在导出视频... %1 / %2 帧，还需 %3 秒").arg(done).arg(total).arg(qRound(secondsLeft)));
}

void TExportVideoJob::Finish(const QString& text, bool written) {
  if (progress_) progress_->hide();
  done_(text, written);  // may delete this job
}

}  // namespace app
