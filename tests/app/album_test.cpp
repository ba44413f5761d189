// The album commands on real temporary folders.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include <cstdlib>

#include "app_fixture.h"
#include "removed_at_end.h"
#include "view/vantrel.h"

namespace app_test {
namespace {

class Album : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    QDir(program.Path()).rename("Photos", "photos");
  }
  QString AlbumFile(const QString& name) const { return program.File("photos/" + name); }
  QByteArray Read(const QString& path) const {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  void Copy(const QString& source) {
    dialogs.FolderAnswers = {source};
    form->Button5->click();
  }
  // Puts the program's own demonstration photo `number`.jpg into the album.
  void PlaceDemoPhoto(int number) {
    const QString name = QString("%1.jpg").arg(number);
    QFile::remove(AlbumFile(name));
    ASSERT_TRUE(QFile::copy(QString(VANTREL_DEMO_ALBUM) + "/" + name, AlbumFile(name))) << name.toStdString();
  }
};

const QString kCopied = "复制成功请重新打开相册即可播放";

TEST_F(Album, CopyTakesJpgInAnyCaseAndJpgNamedFoldersOnly) {
  Open();
  const QString source = program.MakeFolder("source", {"one.jpg", "TWO.JPG", "three.jpeg", "four.png"});
  program.MakeFolder("source/trip.jpg", {"inner.jpg", "inner.png"});
  program.MakeFolder("source/trip", {"skipped.jpg"});
  dialogs.Forget();
  Copy(source);
  EXPECT_EQ(dialogs.CallsOf(TDialogCall::ChooseFolder).at(0).title, "选择宝宝所在的照片目录:");
  ASSERT_EQ(dialogs.MessageTexts().size(), 1);
  EXPECT_EQ(dialogs.MessageTexts()[0], kCopied + "\n新复制 3 张照片，0 张已在相册中");
  EXPECT_TRUE(QFile::exists(AlbumFile("one.jpg")));
  EXPECT_TRUE(QFile::exists(AlbumFile("TWO.JPG")));
  EXPECT_FALSE(QFile::exists(AlbumFile("three.jpeg")));
  EXPECT_FALSE(QFile::exists(AlbumFile("four.png")));
  EXPECT_TRUE(QFile::exists(AlbumFile("trip.jpg/inner.jpg")));
  EXPECT_FALSE(QFile::exists(AlbumFile("trip.jpg/inner.png")));
  EXPECT_FALSE(QFileInfo::exists(AlbumFile("trip")));
  EXPECT_EQ(form->Playlist().Pictures().size(), 3);  // the list is not rebuilt
}

TEST_F(Album, CopyWithoutJpgFilesCreatesNothingAndStillSaysSuccess) {
  QDir(program.Path()).rename("photos", "elsewhere");  // no album folder yet
  Open({program.File("elsewhere")});
  const QString source = program.MakeFolder("pngs", {"a.png"});
  Copy(source);
  EXPECT_EQ(dialogs.MessageTexts().last(), kCopied + "\n新复制 0 张照片，0 张已在相册中");
  EXPECT_FALSE(QFileInfo::exists(program.File("photos")));
}

TEST_F(Album, CopyNeverOverwritesAPhotoAlreadyThere) {
  Open();
  const QString source = program.MakeFolder("again");
  Touch(source + "/a.jpg", "a different photo");
  Touch(source + "/new.jpg", "new");
  const QByteArray before = Read(AlbumFile("a.jpg"));
  Copy(source);
  EXPECT_EQ(Read(AlbumFile("a.jpg")), before);
  EXPECT_EQ(Read(AlbumFile("new.jpg")), "new");
  EXPECT_EQ(dialogs.MessageTexts().last(), kCopied + "\n新复制 1 张照片，1 张已在相册中");
}

TEST_F(Album, LinkLoopUnderAJpgNamedFolderEnds) {
  Open();
  const QString source = program.MakeFolder("loop", {"x.jpg"});
  program.MakeFolder("loop/deep.jpg", {"y.jpg"});
  ASSERT_TRUE(QFile::link(source, source + "/deep.jpg/back.jpg"));  // leads to an ancestor
  ASSERT_TRUE(QFile::link(source, source + "/self.jpg"));
  Copy(source);
  EXPECT_EQ(dialogs.MessageTexts().last(), kCopied + "\n新复制 2 张照片，0 张已在相册中");
  EXPECT_TRUE(QFile::exists(AlbumFile("x.jpg")));
  EXPECT_TRUE(QFile::exists(AlbumFile("deep.jpg/y.jpg")));
  EXPECT_FALSE(QFileInfo::exists(AlbumFile("deep.jpg/back.jpg")));
  EXPECT_FALSE(QFileInfo::exists(AlbumFile("self.jpg")));
}

TEST_F(Album, PipeNamedLikeAPhotoIsPassedOverNotRead) {
  Open();
  const QString source = program.MakeFolder("pipes", {"x.jpg"});
  ASSERT_EQ(mkfifo(QFile::encodeName(source + "/stream.jpg").constData(), 0600), 0);
  Copy(source);  // reading the pipe would wait forever
  EXPECT_TRUE(QFile::exists(AlbumFile("x.jpg")));
  EXPECT_FALSE(QFileInfo::exists(AlbumFile("stream.jpg")));
}

TEST_F(Album, SourceThatCannotBeOpenedFailsTheCopy) {
  Open();
  Copy(program.File("vanished"));  // a folder gone between choosing and copying
  EXPECT_EQ(dialogs.MessageTexts().last(), "复制失败");
  Touch(program.File("plain.jpg"));
  Copy(program.File("plain.jpg"));  // not a folder
  EXPECT_EQ(dialogs.MessageTexts().last(), "复制失败");
}

TEST_F(Album, UnreadableSourceFolderFailsTheCopy) {
  if (geteuid() == 0) GTEST_SKIP() << "running as root: permissions do not stop reading (see SourceThatCannotBeOpened)";
  Open();
  const QString source = program.MakeFolder("locked", {"x.jpg"});
  ASSERT_EQ(chmod(QFile::encodeName(source).constData(), 0), 0);
  Copy(source);
  chmod(QFile::encodeName(source).constData(), 0700);
  EXPECT_EQ(dialogs.MessageTexts().last(), "复制失败");
}

TEST_F(Album, CancelInEitherChooserChangesNothingAndSaysNothing) {
  Open();
  const QString before = form->Playlist().PicturesPath();
  form->Button5->click();
  form->btnChangePath->click();
  EXPECT_TRUE(dialogs.CallsOf(TDialogCall::Message).empty());
  EXPECT_EQ(dialogs.CallsOf(TDialogCall::ChooseFolder).size(), 2u);
  EXPECT_EQ(dialogs.CallsOf(TDialogCall::ChooseFolder)[1].title, "选择照片所在的文件夹:");
  EXPECT_EQ(dialogs.CallsOf(TDialogCall::ChooseFolder)[1].initialFolder, before);
  EXPECT_EQ(form->Playlist().PicturesPath(), before);
}

// A long copy runs beside the window: the window's events go on, a progress
// dialog shows over it, and its cancel button stops the copy without leaving
// the photo being copied half-written. The message says what was copied.
TEST_F(Album, LongCopyShowsProgressAndCanBeCancelled) {
  Open();
  const QString source = program.MakeFolder("big");
  // Takes no room in the source; its copy is long, and written block by block.
  QFile big(source + "/big.jpg");
  ASSERT_TRUE(big.open(QIODevice::WriteOnly));
  ASSERT_TRUE(big.resize(qint64(4) << 30));
  big.close();
  Touch(source + "/small.jpg", "small");
  const QStringList before = QDir(program.File("photos")).entryList(QDir::Files | QDir::Hidden);
  bool sawProgress = false;
  QTimer watcher;
  watcher.setInterval(10);
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      auto* progress = qobject_cast<QProgressDialog*>(window);
      if (progress && progress->objectName() == "AlbumCopyProgress" && progress->isVisible()) {
        sawProgress = true;
        if (auto* cancel = progress->findChild<QPushButton*>()) cancel->click();
      }
    }
  });
  watcher.start();
  Copy(source);
  watcher.stop();
  EXPECT_TRUE(sawProgress);
  EXPECT_EQ(dialogs.MessageTexts().last(), "复制失败\n新复制 0 张照片，0 张已在相册中，复制已取消")
      << dialogs.MessageTexts().last().toStdString();
  EXPECT_EQ(QDir(program.File("photos")).entryList(QDir::Files | QDir::Hidden), before);
}

TEST_F(Album, ChoosingAFolderPlaysItsPhotosWithoutTouchingTheTimer) {
  program.MakeFolder("empty");
  Open({program.File("empty")});
  const QString other = program.MakeFolder("other", {"z.png"});
  dialogs.FolderAnswers = {other};
  form->btnChangePath->click();
  EXPECT_EQ(form->Playlist().Pictures(), QStringList{"z.png"});
  EXPECT_EQ(form->Playlist().LoadedImage(), "z.png");
  EXPECT_FALSE(form->Timer->isActive());  // starts only when the play mode is switched
}

TEST_F(Album, DeleteRemovesTheDemoPhotosThenSaysNoneAreLeft) {
  Open();
  PlaceDemoPhoto(1001);
  Touch(AlbumFile("keep.jpg"));
  form->Button4->click();
  EXPECT_EQ(dialogs.MessageTexts().last(), "删除完毕");
  EXPECT_FALSE(QFile::exists(AlbumFile("1001.jpg")));
  EXPECT_TRUE(QFile::exists(AlbumFile("keep.jpg")));
  form->Button4->click();
  EXPECT_EQ(dialogs.MessageTexts().last(), "已经没有演示照片了，请复制宝宝照片到相册把观看相册吧");
}

TEST_F(Album, DeleteWithout1001DeletesNothing) {
  Open();
  for (int n = 1002; n <= 1009; ++n) PlaceDemoPhoto(n);
  form->Button4->click();
  EXPECT_EQ(dialogs.MessageTexts().last(), "已经没有演示照片了，请复制宝宝照片到相册把观看相册吧");
  for (int n = 1002; n <= 1009; ++n) EXPECT_TRUE(QFile::exists(AlbumFile(QString("%1.jpg").arg(n))));
}

TEST_F(Album, DeleteAllNineWhenTheyAreThere) {
  Open();
  for (int n = 1001; n <= 1009; ++n) PlaceDemoPhoto(n);
  form->Button4->click();
  EXPECT_EQ(dialogs.MessageTexts().last(), "删除完毕");
  for (int n = 1001; n <= 1009; ++n) EXPECT_FALSE(QFile::exists(AlbumFile(QString("%1.jpg").arg(n))));
  EXPECT_EQ(QDir(program.File("photos")).entryList(QDir::Files).size(), 3);
}

// A user's own photos named like the demonstration photos, and demonstration
// photos changed since (one byte, or cut short), are not the program's to
// delete.
TEST_F(Album, DeleteKeepsFilesThatAreNotTheShippedPhotos) {
  Open();
  for (int n = 1001; n <= 1009; ++n) PlaceDemoPhoto(n);
  WritePicture(AlbumFile("1002.jpg"), Qt::red);  // the user's own photo of that name
  QByteArray changed = Read(AlbumFile("1005.jpg"));
  changed[changed.size() / 2] = char(changed[changed.size() / 2] ^ 1);
  Touch(AlbumFile("1005.jpg"), changed);
  const QByteArray whole = Read(AlbumFile("1007.jpg"));
  Touch(AlbumFile("1007.jpg"), whole.left(whole.size() - 1));
  form->Button4->click();
  EXPECT_EQ(dialogs.MessageTexts().last(), "删除完毕\n保留了 3 张已被修改或替换的同名照片");
  for (int n = 1001; n <= 1009; ++n) {
    const bool kept = n == 1002 || n == 1005 || n == 1007;
    EXPECT_EQ(QFile::exists(AlbumFile(QString("%1.jpg").arg(n))), kept) << n;
  }
}

// Where the file system tells "Photos" from "photos" and both exist, the
// commands work on the folder that plays.
TEST_F(Album, CommandsWorkOnTheFolderThatPlays) {
  QDir(program.Path()).rename("photos", "Photos");
  program.MakeFolder("photos", {"other.jpg"});
  Open();
  ASSERT_EQ(form->Playlist().PicturesPath(), program.File("Photos"));
  const QString source = program.MakeFolder("source");
  Touch(source + "/new.jpg", "new");
  Copy(source);
  EXPECT_TRUE(QFile::exists(program.File("Photos/new.jpg")));
  EXPECT_FALSE(QFile::exists(program.File("photos/new.jpg")));
  QFile::copy(QString(VANTREL_DEMO_ALBUM) + "/1001.jpg", program.File("Photos/1001.jpg"));
  QFile::copy(QString(VANTREL_DEMO_ALBUM) + "/1001.jpg", program.File("photos/1001.jpg"));
  form->Button4->click();
  EXPECT_EQ(dialogs.MessageTexts().last(), "删除完毕");
  EXPECT_FALSE(QFile::exists(program.File("Photos/1001.jpg")));
  EXPECT_TRUE(QFile::exists(program.File("photos/1001.jpg")));
}

// A name that isn't valid UTF-8 is a valid file name: it is copied under the
// same bytes.
TEST_F(Album, NamesThatAreNotUtf8AreCopied) {
  Open();
  const QString source = program.MakeFolder("latin1");
  const QByteArray name = "caf\xe9.jpg";
  const QByteArray sourceBytes = QFile::encodeName(source) + "/" + name;
  const QByteArray albumBytes = QFile::encodeName(program.File("photos")) + "/" + name;
  // Qt cannot name these files, so the program folder's removal would leave them.
  const TRemovedAtEnd cleanup{{sourceBytes, albumBytes}};
  ASSERT_EQ(std::system(("printf photo > '" + sourceBytes + "'").constData()), 0);
  Copy(source);
  EXPECT_EQ(dialogs.MessageTexts().last(), kCopied + "\n新复制 1 张照片，0 张已在相册中");
  struct stat copied {};
  EXPECT_EQ(::stat(albumBytes.constData(), &copied), 0);
  EXPECT_EQ(copied.st_size, 5);
}

// A source that yields fewer bytes than its size said (cut short while it is
// read) fails that file and leaves nothing under its name. Files of the
// kernel's attribute file system report a size of a page and hold a line.
TEST_F(Album, SourceCutShortWhileReadLeavesNoFile) {
  const char* kAttribute = "/sys/devices/system/cpu/online";
  struct stat status {};
  if (::stat(kAttribute, &status) != 0 || status.st_size <= 64) GTEST_SKIP() << "no attribute file to read";
  Open();
  const QString source = program.MakeFolder("cut");
  Touch(source + "/whole.jpg", "whole");
  ASSERT_TRUE(QFile::link(kAttribute, source + "/cut.jpg"));
  Copy(source);
  EXPECT_EQ(dialogs.MessageTexts().last(), "复制失败\n新复制 1 张照片，0 张已在相册中，1 张未能复制（源文件无法读取）");
  EXPECT_FALSE(QFileInfo::exists(AlbumFile("cut.jpg")));
  EXPECT_TRUE(QFile::exists(AlbumFile("whole.jpg")));
  EXPECT_EQ(QDir(program.File("photos")).entryList(QDir::Files | QDir::Hidden).size(), 4);  // no temporary file
}

}  // namespace
}  // namespace app_test
