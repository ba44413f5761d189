#include "app/photo_folder.h"

#include <dirent.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <memory>
#include <stdexcept>

#include "app/file_name_bytes.h"
#include "platform/picture_decoder.h"

namespace app {

QStringList ListPictureNames(const QString& folder) {
  const QFileInfo info(folder.isEmpty() ? QStringLiteral(".") : folder);
  if (!info.exists()) throw std::runtime_error(("Folder not found: " + folder).toStdString());
  if (!info.isDir()) throw std::runtime_error(("Not a folder: " + folder).toStdString());
  if (!info.isReadable() || !info.isExecutable()) {
    throw std::runtime_error(("Folder cannot be read: " + folder).toStdString());
  }
  // Names are read as bytes so that one that isn't UTF-8 is kept. Hidden
  // (dot) files are left out, and so is everything that is not a regular file
  // once links are followed: a link to a pipe or device would block the
  // reader that opens it.
  const QByteArray folderBytes = QFile::encodeName(info.absoluteFilePath());
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folderBytes.constData()), ::closedir);
  if (!dir) throw std::runtime_error(("Folder cannot be read: " + folder).toStdString());
  QStringList names;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string name = entry->d_name;
    if (name.starts_with('.') || !platform::IsReadablePictureName(name)) continue;
    struct stat status {};
    if (::stat((folderBytes + '/' + entry->d_name).constData(), &status) != 0 || !S_ISREG(status.st_mode)) continue;
    names << FileNameFromBytes(QByteArray(entry->d_name));
  }
  std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;  // names differing only in case keep a fixed order
  });
  return names;
}

bool IsPhotoFile(const QString& path) {
  const QFileInfo file(path);
  return file.isFile() && platform::IsReadablePictureName(QFile::encodeName(file.fileName()).toStdString());
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
