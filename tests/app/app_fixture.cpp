#include <gtest/gtest.h>

#include "app_fixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include "app/up_down.h"
#include "view/vantrel.h"

namespace app_test {

void WritePicture(const QString& path, QColor color, int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(color);
  const QString suffix = QFileInfo(path).suffix().toLower();
  const char* format = suffix == "jpg" || suffix == "jpeg" ? "JPG"
                       : suffix == "png"                   ? "PNG"
                       : suffix.startsWith("tif")          ? "TIFF"
                                                           : "BMP";
  ASSERT_TRUE(image.save(path, format)) << path.toStdString();
}

bool WaitUntil(const std::function<bool()>& done, int ms) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::sendPostedEvents();
  }
  return true;
}

void Pump(int ms) {
  WaitUntil([] { return false; }, ms);
}

void Touch(const QString& path, const QByteArray& content) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  file.write(content);
}

TProgramFolder::TProgramFolder() { WritePicture(File("1002.jpg"), QColor(10, 20, 90), 64, 64); }

QString TProgramFolder::MakeFolder(const QString& name, const QStringList& pictures) {
  const QString folder = File(name);
  QDir().mkpath(folder);
  int shade = 40;
  for (const QString& picture : pictures) WritePicture(folder + "/" + picture, QColor(shade += 40, 120, 60));
  return folder;
}

void AppTest::SetUp() { program.MakeFolder("Photos", {"a.jpg", "b.jpg", "c.jpg"}); }

void AppTest::TearDown() { form.reset(); }

void AppTest::Open(const QStringList& arguments, const app::TStartSettings& start, bool recursive) {
  app::TFormSetup setup;
  setup.ProgramDir = program.Path();
  setup.AlbumHome = program.Path();
  setup.Arguments = arguments;
  setup.Dialogs = &dialogs;
  setup.Start = start;
  setup.Recursive = recursive;
  setup.Decoder = decoder;
  form = std::make_unique<app::TPhotosform>(setup);
  WaitForPreload();
}

void AppTest::MakeFast(int intervalMs) {
  form->udProgressStep->SetPosition(25);
  form->udProgressDelay->SetPosition(5);
  form->Timer->setInterval(intervalMs);
}

void AppTest::Tick() { form->TimerTimer(form->Timer); }

bool AppTest::WaitForPreload(int ms) {
  return WaitUntil([this] { return !form->PreloadPending(); }, ms);
}

bool AppTest::WaitIdle(int ms) {
  return WaitUntil([this] { return !form->Vantrel->Busy(); }, ms);
}

}  // namespace app_test
