#include "app/picture_dialog.h"

#include <QGridLayout>
#include <QImageReader>
#include <QLabel>

#include "app/file_dialog_columns.h"
#include "platform/picture_decoder.h"

namespace app {
namespace {

constexpr int kPreviewSide = 160;

QString PatternOf(std::string_view extension) {
  return QStringLiteral("*.") + QString::fromLatin1(extension.data(), static_cast<qsizetype>(extension.size()));
}

}  // namespace

QStringList ReadablePictureFilters() {
  QStringList all;
  QStringList single;
  for (std::string_view extension : platform::ReadablePictureExtensions()) {
    const QString pattern = PatternOf(extension);
    all << pattern;
    single << QStringLiteral("%1 (%2)").arg(QString(pattern).mid(2).toUpper(), pattern);
  }
  return QStringList{QStringLiteral("All pictures (%1)").arg(all.join(u' '))} + single;
}

TPictureOpenDialog::TPictureOpenDialog(QWidget* owner, const TOpenPictureRequest& request)
    : QFileDialog(owner, request.Title), preview_(new QLabel(this)) {
  setOption(QFileDialog::DontUseNativeDialog);
  setFileMode(QFileDialog::ExistingFile);
  setAcceptMode(QFileDialog::AcceptOpen);
  setNameFilters(request.Filters);
  setSizeGripEnabled(true);

  preview_->setFixedSize(kPreviewSide, kPreviewSide);
  preview_->setAlignment(Qt::AlignCenter);
  preview_->setFrameShape(QFrame::StyledPanel);
  if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
    grid->addWidget(preview_, 1, grid->columnCount(), 1, 1);
  }
  connect(this, &QFileDialog::currentChanged, this, &TPictureOpenDialog::ShowPreview);
  // Room for the size, type and date columns beside the names and the preview.
  resize(860, 480);
  FitFileColumns(*this);
}

void TPictureOpenDialog::ShowPreview(const QString& fileName) {
  QImageReader reader(fileName);
  reader.setAutoTransform(true);
  const QSize size = reader.size();
  if (size.isValid()) reader.setScaledSize(size.scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio));
  const QImage image = reader.read();
  if (image.isNull()) {
    preview_->clear();
    return;
  }
  preview_->setPixmap(QPixmap::fromImage(image));
}

}  // namespace app
