#pragma once
#include <QObject>
#include <QString>

#include "app/jpg_folder_copy.h"

class QWidget;

namespace app {

// The album copy on a thread of its own, with a progress dialog over the
// window whose cancel button stops it. The window's events are handled while
// it runs, so the window is redrawn and the dialog answers at once, however
// slow the source is.
class TAlbumCopyJob : public QObject {
  Q_OBJECT

 public:
  // Returns when the copy has ended, with its report; throws what the copy
  // throws (a source folder that cannot be read).
  static TCopyReport Run(QWidget* owner, const QString& source, const QString& destination);
};

}  // namespace app
