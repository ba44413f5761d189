// The context menu's video export: the dialog, then the export on a thread
// of its own while the slideshow goes on.
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QSlider>
#include <QStandardPaths>

#include "app/Uphoto.h"
#include "app/export_video_job.h"
#include "platform/raster/random.h"
#include "view/vantrel.h"

namespace app {

video_export::ExportSettings TPhotosform::ExportProposal() const {
  video_export::ExportSettings s;
  s.folder = playlist_.PicturesPath().toStdString();
  QString videos = QStandardPaths::writableLocation(QStandardPaths::MoviesLocation);
  if (videos.isEmpty() || !QDir(videos).exists()) videos = QDir::homePath();
  const QString name = QFileInfo(playlist_.PicturesPath()).fileName();
  s.output = QDir(videos)
                 .filePath((name.isEmpty() ? QStringLiteral("slideshow") : name) + QStringLiteral(".mp4"))
                 .toStdString();
  s.intervalSeconds = settings_.IntervalMs() / 1000.0;
  const int step = std::max(settings_.Get(&TStartSettings::Step), 1);
  s.transitionMs = (100 + step - 1) / step * settings_.Get(&TStartSettings::Delay);
  s.order = settings_.StyleOrder();
  if (s.order == video_export::StyleOrder::Random) s.seed = uint32_t(raster::Random(INT32_MAX));
  if (s.order == video_export::StyleOrder::Fixed) s.style = Vantrel->Style();
  s.placement = settings_.Get(&TStartSettings::Proportional) ? video_export::PhotoPlacement::Fit
                : settings_.Get(&TStartSettings::Stretch)    ? video_export::PhotoPlacement::Stretch
                                                             : video_export::PhotoPlacement::Centre;
  return s;
}

void TPhotosform::N3Click(QObject*) {
  if (exportJob_ != nullptr) {  // one export at a time: bring its progress forward
    if (QProgressDialog* progress = exportJob_->Progress()) progress->raise();
    return;
  }
  const std::optional<video_export::ExportSettings> settings = dialogs_.ExportVideo(this, ExportProposal());
  if (!settings) return;
  N3->setEnabled(false);
  exportJob_ = new TExportVideoJob(this, *settings, [this](const QString& text, bool written) {
    exportJob_->deleteLater();
    exportJob_ = nullptr;
    N3->setEnabled(true);
    if (text.isEmpty()) return;  // cancelled: the user knows
    dialogs_.Message(
        this,
        {tr("导出视频"), text, written ? TMessageIcon::Information : TMessageIcon::Warning, {TMessageButton::Ok}});
  });
}

}  // namespace app
