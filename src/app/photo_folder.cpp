#include "app/photo_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <stdexcept>

#include "platform/picture_decoder.h"

namespace app {

QStringList ListPictureNames(const QString& folder) {
  const QFileInfo info(folder.isEmpty() ? QStringLiteral(".") : folder);
  if (!info.exists()) throw std::runtime_error(("Folder not found: " + folder).toStdString());
  if (!info.isDir()) throw std::runtime_error(("Not a folder: " + folder).toStdString());
  if (!info.isReadable() || !info.isExecutable()) {
    throw std::runtime_error(("Folder cannot be read: " + folder).toStdString());
  }
  // Without QDir::Hidden dot-files are left out; without QDir::System so are
  // sockets, pipes and device files.
  const QFileInfoList entries = QDir(info.absoluteFilePath()).entryInfoList(QDir::Files | QDir::NoDotAndDotDot);
  QStringList names;
  for (const QFileInfo& entry : entries) {
    if (platform::IsReadablePictureName(QFile::encodeName(entry.fileName()).toStdString())) {
      names << entry.fileName();
    }
  }
  std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;  // names differing only in case keep a fixed order
  });
  return names;
}

QString FindFolderIgnoringCase(const QString& parent, const QString& name) {
  const QStringList folders = QDir(parent).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
  // An exact match wins over other spellings of the same name.
  if (folders.contains(name)) return JoinPath(parent, name);
  for (const QString& folder : folders) {
    if (folder.compare(name, Qt::CaseInsensitive) == 0) return JoinPath(parent, folder);
  }
  return JoinPath(parent, name);
}

QString JoinPath(const QString& folder, const QString& name) {
  if (folder.endsWith(u'/')) return folder + name;
  return folder + u'/' + name;
}

}  // namespace app
