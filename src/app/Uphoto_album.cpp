// The album commands: play another folder, copy a folder's JPEG photos into
// the album, delete the demonstration photos.
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include "app/Uphoto.h"
#include "app/album_copy_job.h"
#include "app/album_folder.h"
#include "app/demo_photo_removal.h"
#include "app/demo_photos.h"
#include "app/jpg_folder_copy.h"
#include "app/photo_folder.h"

namespace app {
namespace {

QString FailureText(const TCopyReport& report) {
  switch (report.firstFailure) {
    case TCopyReport::Failure::DiskFull: return QCoreApplication::translate("app::TPhotosform", "磁盘已满");
    case TCopyReport::Failure::Permission: return QCoreApplication::translate("app::TPhotosform", "没有写入相册的权限");
    case TCopyReport::Failure::UnreadableSource:
      return QCoreApplication::translate("app::TPhotosform", "源文件无法读取");
    case TCopyReport::Failure::Other: return report.firstFailureText;
    case TCopyReport::Failure::None: break;
  }
  return QString();
}

// "复制成功..." only when every file is in the album; the counts either way,
// so a cancelled copy tells how far it came.
QString CopyMessage(const TCopyReport& report) {
  const QString counts = QCoreApplication::translate("app::TPhotosform", "新复制 %1 张照片，%2 张已在相册中")
                             .arg(report.copied)
                             .arg(report.alreadyThere);
  if (report.failed == 0 && !report.cancelled)
    return QCoreApplication::translate("app::TPhotosform", "复制成功请重新打开相册即可播放\n") + counts;
  QString text = QCoreApplication::translate("app::TPhotosform", "复制失败\n") + counts;
  if (report.failed > 0) {
    text += QCoreApplication::translate("app::TPhotosform", "，%1 张未能复制（%2）")
                .arg(report.failed)
                .arg(FailureText(report));
  }
  if (report.cancelled) text += QCoreApplication::translate("app::TPhotosform", "，复制已取消");
  return text;
}

}  // namespace

QString TPhotosform::AlbumFolder() const { return FindAlbumFolder(setup_.AlbumHome); }

void TPhotosform::ShowMessage(const QString& text) {
  dialogs_.Message(this, {QCoreApplication::applicationName(), text, TMessageIcon::None, {TMessageButton::Ok}});
}

void TPhotosform::btnChangePathClick(QObject*) {
  const std::optional<QString> folder = dialogs_.ChooseFolder(
      this, QCoreApplication::translate("app::TPhotosform", "选择照片所在的文件夹:"), playlist_.PicturesPath());
  if (folder) PlayFolder(*folder);
}

void TPhotosform::Button5Click(QObject*) {
  try {
    const QString destination = AlbumFolder();
    const std::optional<QString> source = dialogs_.ChooseFolder(
        this, QCoreApplication::translate("app::TPhotosform", "选择宝宝所在的照片目录:"), QString());
    if (!source) return;
    ShowMessage(CopyMessage(DoCopyDir(*source, destination)));
  } catch (const std::exception&) {
    ShowMessage(QCoreApplication::translate("app::TPhotosform", "复制失败"));
  }
}

// The copy runs on a worker under a progress dialog: however slow the
// source, the window is redrawn and the copy can be cancelled.
TCopyReport TPhotosform::DoCopyDir(const QString& sDirName, const QString& sToDirName) {
  return TAlbumCopyJob::Run(this, sDirName, sToDirName);
}

// Deletes the demonstration photos that are still the program's own; a file
// of the same name that was changed or replaced is the user's and stays.
void TPhotosform::Button4Click(QObject*) {
  try {
    const QString album = AlbumFolder();
    if (!QFileInfo(JoinPath(album, QStringLiteral("1001.jpg"))).isFile()) {
      ShowMessage(
          QCoreApplication::translate("app::TPhotosform", "已经没有演示照片了，请复制宝宝照片到相册把观看相册吧"));
      return;
    }
    int kept = 0;
    for (const TDemoPhoto& photo : DemoPhotos()) {
      if (RemoveShippedPhoto(album, photo) == TDemoRemoval::Kept) ++kept;
    }
    ShowMessage(kept == 0
                    ? QCoreApplication::translate("app::TPhotosform", "删除完毕")
                    : QCoreApplication::translate("app::TPhotosform", "删除完毕\n保留了 %1 张已被修改或替换的同名照片")
                          .arg(kept));
  } catch (const std::exception&) {
    ShowMessage(QCoreApplication::translate("app::TPhotosform", "发成错误"));
  }
}

}  // namespace app
