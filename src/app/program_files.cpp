#include "app/program_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <stdexcept>

#include "app/photo_folder.h"

namespace app {

const QString kDataFolderName = QStringLiteral(VANTREL_DATA_NAME);

namespace {

const QString kAlbumName = QStringLiteral("Photos");

// A folder holds the program's files when the default background is there.
bool HoldsProgramFiles(const QString& folder) {
  return QFileInfo(JoinPath(folder, QStringLiteral("1002.jpg"))).isFile();
}

// The installed data folder: share/<name>/ of the prefix the program was
// installed to (found from the program's own place, so any prefix works),
// else the first data folder of the system's search path that has it.
QString InstalledDataDir(const QString& programDir) {
  const QString besidePrefix = QDir::cleanPath(JoinPath(programDir, QStringLiteral(VANTREL_DATA_FROM_BIN)));
  if (HoldsProgramFiles(besidePrefix)) return besidePrefix;
  const QString found =
      QStandardPaths::locate(QStandardPaths::GenericDataLocation, kDataFolderName, QStandardPaths::LocateDirectory);
  return !found.isEmpty() && HoldsProgramFiles(found) ? found : besidePrefix;
}

void CopyDemonstrationPhotos(const QString& from, const QString& to) {
  for (int number = 1001; number <= 1009; ++number) {
    const QString name = QStringLiteral("%1.jpg").arg(number);
    if (!QFile::copy(JoinPath(from, name), JoinPath(to, name))) {
      throw std::runtime_error(
          ("Cannot copy the demonstration photo " + JoinPath(from, name) + " to " + to).toStdString());
    }
  }
}

}  // namespace

TProgramFiles LocateProgramFiles(const QString& programDir) {
  if (HoldsProgramFiles(programDir)) return {programDir, programDir, false};
  const QString userData = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  return {InstalledDataDir(programDir), JoinPath(userData, kDataFolderName), true};
}

void MakeUserAlbumOnFirstStart(const TProgramFiles& files) {
  if (!files.Installed) return;
  if (QFileInfo(FindFolderIgnoringCase(files.AlbumHome, kAlbumName)).isDir()) return;
  if (!QDir().mkpath(files.AlbumHome)) {
    throw std::runtime_error(("Cannot create the folder " + files.AlbumHome).toStdString());
  }
  QTemporaryDir staging(JoinPath(files.AlbumHome, QStringLiteral(".Photos-XXXXXX")));
  if (!staging.isValid()) {
    throw std::runtime_error(
        ("Cannot create a folder in " + files.AlbumHome + ": " + staging.errorString()).toStdString());
  }
  CopyDemonstrationPhotos(FindFolderIgnoringCase(files.DataDir, kAlbumName), staging.path());
  const QString album = JoinPath(files.AlbumHome, kAlbumName);
  if (QDir().rename(staging.path(), album)) {
    staging.setAutoRemove(false);
    return;
  }
  // Another copy of the program starting at the same moment may have made it.
  if (!QFileInfo(album).isDir()) throw std::runtime_error(("Cannot create the album " + album).toStdString());
}

}  // namespace app
