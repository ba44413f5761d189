#pragma once
#include <QString>

namespace app {

// The program's album: the folder the slideshow plays when no folder is given
// and the one the copy and delete commands work on, "Photos" in `albumHome`
// (beside the program, or the user's data folder when installed) found
// whatever the case of its letters; an exact "Photos" wins when several
// spellings exist. The one place that decides which folder is the album.
QString FindAlbumFolder(const QString& albumHome);

}  // namespace app
