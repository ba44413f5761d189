#include "app/dropped_path.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "app/photo_folder.h"

namespace app {

QString PlayableDroppedPath(const QMimeData& data) {
  if (!data.hasUrls() || data.urls().isEmpty()) return {};
  const QUrl& first = data.urls().constFirst();
  if (!first.isLocalFile()) return {};
  const QString path = first.toLocalFile();
  return QFileInfo(path).isDir() || IsPhotoFile(path) ? path : QString();
}

}  // namespace app
