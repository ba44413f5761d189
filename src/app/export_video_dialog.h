#pragma once
#include <QDialog>

#include "export/export_settings.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace app {

// The small dialog of "导出视频...": the folder being played, the output file,
// frame size and rate, interval, transition time and style order, started
// from a proposal and read back as the settings of the export.
class TExportVideoDialog : public QDialog {
  Q_OBJECT

 public:
  TExportVideoDialog(QWidget* owner, const video_export::ExportSettings& proposal);
  video_export::ExportSettings Settings() const;

 private:
  void BrowseClick();

  video_export::ExportSettings proposal_;
  QLabel* folder_;
  QLineEdit* output_;
  QComboBox* size_;
  QSpinBox* fps_;
  QDoubleSpinBox* interval_;
  QSpinBox* transitionMs_;
  QComboBox* order_;
};

}  // namespace app
