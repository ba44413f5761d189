#include "app/album_copy_job.h"

#include <QEventLoop>
#include <QMetaObject>
#include <QProgressDialog>
#include <atomic>
#include <chrono>
#include <exception>
#include <stop_token>
#include <thread>

namespace app {

namespace {

// A copy that ends sooner shows no dialog at all.
constexpr int kDialogDelayMs = 300;
constexpr auto kProgressPeriod = std::chrono::milliseconds(100);

}  // namespace

TCopyReport TAlbumCopyJob::Run(QWidget* owner, const QString& source, const QString& destination) {
  QEventLoop loop;
  QProgressDialog progress(tr("正在复制照片..."), tr("取消"), 0, 0, owner);
  progress.setObjectName(QStringLiteral("AlbumCopyProgress"));
  progress.setWindowTitle(tr("复制照片"));
  progress.setWindowModality(Qt::WindowModal);  // the window is redrawn, not used
  progress.setAutoClose(false);
  progress.setAutoReset(false);
  progress.setMinimumDuration(kDialogDelayMs);
  std::stop_source stop;
  QObject::connect(&progress, &QProgressDialog::canceled, &progress, [&] {
    progress.setLabelText(tr("正在取消..."));
    stop.request_stop();
  });

  TCopyReport report;
  std::exception_ptr failure;
  // Everything the worker shows reaches the window's thread as a posted call
  // on `progress`, which outlives the worker.
  const auto copy = [&] {
    auto last = std::chrono::steady_clock::now();
    const auto posted = [&](int files, int64_t) {
      const auto now = std::chrono::steady_clock::now();
      if (now - last < kProgressPeriod) return;
      last = now;
      QMetaObject::invokeMethod(
          &progress,
          [&progress, files, stopping = stop.stop_requested()] {
            if (!stopping) progress.setLabelText(tr("正在复制照片... 已复制 %1 张").arg(files));
          },
          Qt::QueuedConnection);
    };
    try {
      report = TJpgFolderCopy().Copy(source, destination, stop.get_token(), posted);
    } catch (...) {
      failure = std::current_exception();
    }
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  };
  {
    std::jthread worker(copy);
    loop.exec();
  }
  if (failure) std::rethrow_exception(failure);
  return report;
}

}  // namespace app
