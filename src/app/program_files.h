#pragma once
#include <QString>

namespace app {

// Where the program finds its files. Run from a folder that holds its pictures
// (a build folder, an unpacked copy), everything lies beside the program, the
// album included. Installed, its pictures and web page are in its data folder
// (share/<name>/ beside bin/) and the album it plays, copies into and deletes
// from is the user's own, in $XDG_DATA_HOME/<name>/; nothing installed is
// ever written to.
struct TProgramFiles {
  QString DataDir;  // 1002.jpg, the web page, the demonstration album's originals
  QString AlbumHome;  // the folder that holds the album folder "Photos"
  bool Installed = false;
};

// The name of the installed data folder and of the user's data folder.
extern const QString kDataFolderName;

TProgramFiles LocateProgramFiles(const QString& programDir);

// An installed program's first start: makes the user's album and fills it
// with the demonstration photos of the data folder. An album that exists is
// left as it is (the user may have emptied it on purpose), and so is a
// program run from its own folder. The photos are copied into a fresh folder
// that takes the album's name only when complete, so an interrupted first
// start is tried again next time. Throws std::runtime_error saying what failed.
void MakeUserAlbumOnFirstStart(const TProgramFiles& files);

}  // namespace app
