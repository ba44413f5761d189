#pragma once
#include <QFileDialog>
#include <QStringList>

#include "app/dialogs.h"

class QLabel;

namespace app {

// The name filters of the open-picture dialog: every type the picture loader
// reads together first, then one type at a time.
QStringList ReadablePictureFilters();

// Qt's own (non-native) open-file dialog with a preview of the picture under
// the cursor beside the file list. It accepts only an existing file.
class TPictureOpenDialog : public QFileDialog {
 public:
  TPictureOpenDialog(QWidget* owner, const TOpenPictureRequest& request);

 private:
  void ShowPreview(const QString& fileName);

  QLabel* preview_;
};

}  // namespace app
