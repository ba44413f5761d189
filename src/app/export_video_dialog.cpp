#include "app/export_video_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace app {

namespace {

struct FrameSize {
  int width, height;
};
constexpr FrameSize kSizes[] = {{1920, 1080}, {1280, 720}, {3840, 2160}, {854, 480}};

}  // namespace

TExportVideoDialog::TExportVideoDialog(QWidget* owner, const video_export::ExportSettings& proposal)
    : QDialog(owner), proposal_(proposal) {
  setObjectName(QStringLiteral("ExportVideoDialog"));
  setWindowTitle(tr("导出视频"));
  auto* form = new QFormLayout;

  folder_ = new QLabel(QString::fromStdString(proposal.folder.string()));
  folder_->setObjectName(QStringLiteral("lblExportFolder"));
  form->addRow(tr("照片文件夹"), folder_);

  output_ = new QLineEdit(QString::fromStdString(proposal.output.string()));
  output_->setObjectName(QStringLiteral("edtExportOutput"));
  output_->setMinimumWidth(300);
  auto* browse = new QPushButton(tr("浏览..."));
  connect(browse, &QPushButton::clicked, this, &TExportVideoDialog::BrowseClick);
  auto* outputRow = new QHBoxLayout;
  outputRow->addWidget(output_);
  outputRow->addWidget(browse);
  form->addRow(tr("输出文件"), outputRow);

  size_ = new QComboBox;
  size_->setObjectName(QStringLiteral("cbExportSize"));
  for (const FrameSize& s : kSizes) size_->addItem(QStringLiteral("%1 × %2").arg(s.width).arg(s.height));
  for (int i = 0; i < int(std::size(kSizes)); ++i) {
    if (kSizes[i].width == proposal.width && kSizes[i].height == proposal.height) size_->setCurrentIndex(i);
  }
  form->addRow(tr("画面大小"), size_);

  fps_ = new QSpinBox;
  fps_->setObjectName(QStringLiteral("edtExportFps"));
  fps_->setRange(video_export::kMinFps, video_export::kMaxFps);
  fps_->setValue(proposal.fps);
  form->addRow(tr("每秒帧数"), fps_);

  interval_ = new QDoubleSpinBox;
  interval_->setObjectName(QStringLiteral("edtExportInterval"));
  interval_->setRange(0, video_export::kMaxIntervalSeconds);
  interval_->setDecimals(1);
  interval_->setSingleStep(0.5);
  interval_->setValue(proposal.intervalSeconds);
  form->addRow(tr("每张停留(秒)"), interval_);

  transitionMs_ = new QSpinBox;
  transitionMs_->setObjectName(QStringLiteral("edtExportTransition"));
  transitionMs_->setRange(0, video_export::kMaxTransitionMs);
  transitionMs_->setSingleStep(100);
  transitionMs_->setValue(proposal.transitionMs);
  form->addRow(tr("切换时间(ms)"), transitionMs_);

  order_ = new QComboBox;
  order_->setObjectName(QStringLiteral("cbExportStyle"));
  order_->addItem(tr("按特效顺序"), int(video_export::StyleOrder::Cycle));
  order_->addItem(tr("随机特效"), int(video_export::StyleOrder::Random));
  order_->addItem(tr("当前特效 #%1").arg(proposal.style), int(video_export::StyleOrder::Fixed));
  order_->setCurrentIndex(order_->findData(int(proposal.order)));
  form->addRow(tr("特效"), order_);

  auto* buttons = new QDialogButtonBox;
  buttons->addButton(tr("导出"), QDialogButtonBox::AcceptRole);
  buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

void TExportVideoDialog::BrowseClick() {
  const QString chosen =
      QFileDialog::getSaveFileName(this, tr("导出视频"), output_->text(), tr("视频 (*.mp4 *.mkv *.webm)"), nullptr,
                                   QFileDialog::DontUseNativeDialog);
  if (!chosen.isEmpty()) output_->setText(chosen);
}

video_export::ExportSettings TExportVideoDialog::Settings() const {
  video_export::ExportSettings s = proposal_;
  s.output = output_->text().trimmed().toStdString();
  const FrameSize& size = kSizes[std::max(0, size_->currentIndex())];
  s.width = size.width;
  s.height = size.height;
  s.fps = fps_->value();
  s.intervalSeconds = interval_->value();
  s.transitionMs = transitionMs_->value();
  s.order = video_export::StyleOrder(order_->currentData().toInt());
  return s;
}

}  // namespace app
