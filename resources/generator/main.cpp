// Draws every picture the program carries or ships beside itself:
//   <generated dir>/device.png, <generated dir>/texture.jpg   (built into the program)
//   <generated dir>/down_arrow.png, down_arrow@2x.png          (the drop-down lists' arrow, built in)
//   <generated dir>/icons/<size>.png                          (the program's icon, installed)
//   <program dir>/1002.jpg                                    (the view's background)
//   <program dir>/Photos/1001.jpg ... 1009.jpg                (the demonstration album)
// Nothing is read from anywhere; the same pictures come out of every run.
#include <QCoreApplication>
#include <QDir>
#include <QImageWriter>
#include <cstdio>

#include "app_icon.h"
#include "demo_photos.h"
#include "device_picture.h"
#include "drop_down_arrow.h"
#include "texture_picture.h"
#include "view_background.h"

namespace {

constexpr int kJpegQuality = 90;

bool Save(const QImage& image, const QString& path, int quality) {
  QImageWriter writer(path);
  writer.setQuality(quality);
  if (writer.write(image)) return true;
  std::fprintf(stderr, "vantrel_make_pictures: cannot write %s: %s\n", qPrintable(path),
               qPrintable(writer.errorString()));
  return false;
}

bool MakeFolder(const QString& path) {
  if (QDir().mkpath(path)) return true;
  std::fprintf(stderr, "vantrel_make_pictures: cannot create the folder %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  // The application object only gives the image writers their plugins; no
  // window system is needed, and nothing draws text.
  QCoreApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: vantrel_make_pictures <generated dir> <program dir>\n");
    return 2;
  }
  const QDir generated(QString::fromLocal8Bit(argv[1]));
  const QDir program(QString::fromLocal8Bit(argv[2]));
  const QString album = program.filePath("Photos");
  const QString icons = generated.filePath("icons");
  if (!MakeFolder(generated.path()) || !MakeFolder(album) || !MakeFolder(icons)) return 1;

  bool saved = Save(pictures::DrawDevicePicture(), generated.filePath("device.png"), -1);
  saved = Save(pictures::DrawTexture(), generated.filePath("texture.jpg"), 92) && saved;
  saved = Save(pictures::DrawDropDownArrow(1), generated.filePath("down_arrow.png"), -1) && saved;
  saved = Save(pictures::DrawDropDownArrow(2), generated.filePath("down_arrow@2x.png"), -1) && saved;
  saved = Save(pictures::DrawViewBackground(), program.filePath("1002.jpg"), kJpegQuality) && saved;
  for (const pictures::TDemoPhoto& photo : pictures::DemoPhotos()) {
    const QString name = QString::number(photo.number) + ".jpg";
    saved = Save(pictures::DrawDemoPhoto(photo), QDir(album).filePath(name), kJpegQuality) && saved;
  }
  for (const int size : pictures::AppIconSizes()) {
    saved = Save(pictures::DrawAppIcon(size), QDir(icons).filePath(QString::number(size) + ".png"), -1) && saved;
  }
  return saved ? 0 : 1;
}
