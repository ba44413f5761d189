#pragma once
#include <QString>
#include <QStringList>

namespace app {

// The picture files of `folder` and of its sub-folders at any depth, as paths
// relative to `folder` ("a.jpg", "2024/b.jpg"), sorted by that path without
// regard to case. Each folder is listed as ListPictureNames lists one; hidden
// folders and symbolic links to folders are not entered, a folder reached a
// second time (a mount inside itself) is not listed again, and a sub-folder
// that cannot be read is passed over. Throws as ListPictureNames does when
// `folder` itself cannot be listed.
QStringList ListPictureTree(const QString& folder);

// The sub-folders ListPictureTree enters, as absolute paths, `folder` first.
QStringList ListPictureFolders(const QString& folder);

}  // namespace app
