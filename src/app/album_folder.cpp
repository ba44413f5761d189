#include "app/album_folder.h"

#include "app/photo_folder.h"

namespace app {

QString FindAlbumFolder(const QString& albumHome) {
  return FindFolderIgnoringCase(albumHome, QStringLiteral("Photos"));
}

}  // namespace app
