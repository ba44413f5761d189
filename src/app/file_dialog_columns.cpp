#include "app/file_dialog_columns.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QTreeView>

namespace app {

void FitFileColumns(QFileDialog& dialog) {
  // Qt's own (non-native) dialog names its detail view "treeView".
  auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
  if (!details) return;
  QHeaderView* header = details->header();
  header->setStretchLastSection(false);
  header->setSectionResizeMode(QHeaderView::ResizeToContents);
  header->setSectionResizeMode(0, QHeaderView::Stretch);
}

}  // namespace app
