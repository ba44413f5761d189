#include "app/photo_tree.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <exception>
#include <set>
#include <utility>

#include "app/photo_folder.h"

namespace app {
namespace {

using TFolderId = std::pair<dev_t, ino_t>;

bool FirstVisit(const QString& folder, std::set<TFolderId>& visited) {
  struct stat info {};
  if (::stat(QFile::encodeName(folder).constData(), &info) != 0) return false;
  return visited.insert({info.st_dev, info.st_ino}).second;
}

// `folder` (absolute) and the folders below it, depth first, each once.
void CollectFolders(const QString& folder, std::set<TFolderId>& visited, QStringList& folders) {
  if (!FirstVisit(folder, visited)) return;
  folders << folder;
  const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
  for (const QFileInfo& entry : entries) {
    if (!entry.isSymLink()) CollectFolders(entry.absoluteFilePath(), visited, folders);
  }
}

}  // namespace

QStringList ListPictureFolders(const QString& folder) {
  std::set<TFolderId> visited;
  QStringList folders;
  CollectFolders(QFileInfo(folder.isEmpty() ? QStringLiteral(".") : folder).absoluteFilePath(), visited, folders);
  return folders;
}

QStringList ListPictureTree(const QString& folder) {
  QStringList paths = ListPictureNames(folder);  // the folder itself: its errors pass on
  const QStringList folders = ListPictureFolders(folder);
  const QDir top(folders.isEmpty() ? folder : folders.constFirst());
  for (qsizetype i = 1; i < folders.size(); ++i) {
    QStringList names;
    try {
      names = ListPictureNames(folders[i]);
    } catch (const std::exception&) {
      continue;  // unreadable: its photos are not played
    }
    const QString prefix = top.relativeFilePath(folders[i]) + u'/';
    for (const QString& name : names) paths << prefix + name;
  }
  std::sort(paths.begin(), paths.end(), [](const QString& a, const QString& b) {
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
  });
  return paths;
}

}  // namespace app
