#include "app/jpg_folder_copy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

#include "app/photo_folder.h"

namespace app {
namespace {

bool IsPlainFolder(const QFileInfo& entry) {
  return entry.isDir() && !entry.isSymLink() && !entry.fileName().startsWith(u'.');
}

QFileInfoList MatchingEntries(const QString& folder) {
  QDir dir(folder);
  dir.setNameFilters({QStringLiteral("*.jpg")});  // without QDir::CaseSensitive: any case
  return dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

}  // namespace

void TJpgFolderCopy::Copy(const QString& source, const QString& destination) {
  const QFileInfo sourceInfo(source);
  if (!sourceInfo.isDir() || !sourceInfo.isReadable() || !sourceInfo.isExecutable()) {
    throw std::runtime_error(("Cannot open folder: " + source).toStdString());
  }
  if (!entered_.insert(sourceInfo.canonicalFilePath()).second) return;

  const QFileInfoList entries = MatchingEntries(source);
  if (entries.isEmpty()) return;
  QDir().mkpath(destination);

  for (const QFileInfo& entry : entries) {
    const QString target = JoinPath(destination, entry.fileName());
    if (IsPlainFolder(entry)) {
      QDir().mkpath(target);
      Copy(JoinPath(source, entry.fileName()), target);
    } else if (entry.isFile()) {
      QFile::copy(entry.absoluteFilePath(), target);  // refuses an existing target
    }
  }
}

}  // namespace app
