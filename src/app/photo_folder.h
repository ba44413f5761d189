#pragma once
#include <QString>
#include <QStringList>

namespace app {

// The names (no folder part) of the picture files of `folder` itself: regular,
// non-hidden files whose extension the picture loader reads, compared without
// regard to case; sorted by name without regard to case. Throws
// std::runtime_error naming the folder when it is missing or unreadable.
QStringList ListPictureNames(const QString& folder);

// Whether `path` is a file the show can play: a regular file (links
// followed) whose extension the picture loader reads.
bool IsPhotoFile(const QString& path);

// The folder `name` inside `parent`, found whatever the case of its letters
// ("Photos", "photos", "PHOTOS"); `parent` + "/" + `name` when there is none.
QString FindFolderIgnoringCase(const QString& parent, const QString& name);

// `folder` + "/" + `name`, as the system joins paths: a separator already at
// the end of `folder` is not doubled ("/" + "a" is "/a").
QString JoinPath(const QString& folder, const QString& name);

}  // namespace app
