// The album commands: play another folder, copy a folder's JPEG photos into
// the album, delete the demonstration photos.
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include "app/Uphoto.h"
#include "app/jpg_folder_copy.h"
#include "app/photo_folder.h"

namespace app {

// The album folder, whatever the case of "photos".
QString TPhotosform::AlbumFolder() const { return FindFolderIgnoringCase(setup_.AlbumHome, QStringLiteral("photos")); }

void TPhotosform::ShowMessage(const QString& text) {
  dialogs_.Message(this, {QCoreApplication::applicationName(), text, TMessageIcon::None, {TMessageButton::Ok}});
}

void TPhotosform::btnChangePathClick(QObject*) {
  const std::optional<QString> folder = dialogs_.ChooseFolder(this, QStringLiteral("选择照片所在的文件夹:"), PicturesPath);
  if (folder) CreateImageList(*folder);
}

void TPhotosform::Button5Click(QObject*) {
  try {
    const QString destination = AlbumFolder();
    const std::optional<QString> source = dialogs_.ChooseFolder(this, QStringLiteral("选择宝宝所在的照片目录:"), QString());
    if (!source) return;
    DoCopyDir(*source, destination);
    ShowMessage(QStringLiteral("复制成功请重新打开相册即可播放"));
  } catch (const std::exception&) {
    ShowMessage(QStringLiteral("复制失败"));
  }
}

void TPhotosform::DoCopyDir(const QString& sDirName, const QString& sToDirName) {
  TJpgFolderCopy().Copy(sDirName, sToDirName);
}

void TPhotosform::Button4Click(QObject*) {
  try {
    const QString album = AlbumFolder();
    if (QFileInfo(JoinPath(album, QStringLiteral("1001.jpg"))).isFile()) {
      for (int number = 1001; number <= 1009; ++number) {
        QFile::remove(JoinPath(album, QStringLiteral("%1.jpg").arg(number)));  // a failure is passed over
      }
      ShowMessage(QStringLiteral("删除完毕"));
    } else {
      ShowMessage(QStringLiteral("已经没有演示照片了，请复制宝宝照片到相册把观看相册吧"));
    }
  } catch (const std::exception&) {
    ShowMessage(QStringLiteral("发成错误"));
  }
}

}  // namespace app
