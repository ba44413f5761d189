#pragma once
#include <QString>

class QMimeData;

namespace app {

// What a drop on the window plays: the local path of the first file dropped
// when it is a folder or a photo (IsPhotoFile); empty for anything else
// (text, a web address, another kind of file, nothing that exists).
QString PlayableDroppedPath(const QMimeData& data);

}  // namespace app
