// Folders and photos dropped on the window or on the view in full screen:
// each plays through the show's commands, as the folder chooser does.
#include <QDropEvent>
#include <QFileInfo>

#include "app/Uphoto.h"
#include "app/dropped_path.h"
#include "view/vantrel.h"

namespace app {

bool TPhotosform::IsDropEvent(const QEvent& event) {
  return event.type() == QEvent::DragEnter || event.type() == QEvent::DragMove || event.type() == QEvent::Drop;
}

// Takes what can be played and refuses the rest before it is dropped. The
// dropped file is only referred to: the drag's source is told it was linked
// (or copied), never moved, so that it leaves its file alone.
void TPhotosform::DropEvent(QDropEvent& event) {
  const QString path = PlayableDroppedPath(*event.mimeData());
  if (path.isEmpty()) {
    event.ignore();
    return;
  }
  const Qt::DropActions offered = event.possibleActions();
  if (offered & (Qt::LinkAction | Qt::CopyAction)) {
    event.setDropAction(offered & Qt::LinkAction ? Qt::LinkAction : Qt::CopyAction);
    event.accept();
  } else {
    event.ignore();
    return;
  }
  if (event.type() != QEvent::Drop) return;
  // Played once the drop has ended: the source waits for its end, and
  // playing may show a message box.
  QMetaObject::invokeMethod(
      this,
      [this, path] {
        Guarded([&] {
          if (QFileInfo(path).isDir()) {
            PlayFolder(path);
          } else {
            PlayPhoto(path);
          }
        });
      },
      Qt::QueuedConnection);
}

}  // namespace app
