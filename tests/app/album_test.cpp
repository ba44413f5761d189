// The album commands on real temporary folders.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTimer>
#include <sys/stat.h>
#include <unistd.h>

#include "app_fixture.h"
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
};

TEST_F(Album, CopyTakesJpgInAnyCaseAndJpgNamedFoldersOnly) {
  Open();
  const QString source = program.MakeFolder("source", {"one.jpg", "TWO.JPG", "three.jpeg", "four.png"});
  program.MakeFolder("source/trip.jpg", {"inner.jpg", "inner.png"});
  program.MakeFolder("source/trip", {"skipped.jpg"});
  dialogs.Forget();
  Copy(source);
  EXPECT_EQ(dialogs.CallsOf(TDialogCall::ChooseFolder).at(0).title, "选择宝宝所在的照片目录:");
  EXPECT_EQ(dialogs.MessageTexts(), QStringList{"复制成功请重新打开相册即可播放"});
  EXPECT_TRUE(QFile::exists(AlbumFile("one.jpg")));
  EXPECT_TRUE(QFile::exists(AlbumFile("TWO.JPG")));
  EXPECT_FALSE(QFile::exists(AlbumFile("three.jpeg")));
  EXPECT_FALSE(QFile::exists(AlbumFile("four.png")));
  EXPECT_TRUE(QFile::exists(AlbumFile("trip.jpg/inner.jpg")));
  EXPECT_FALSE(QFile::exists(AlbumFile("trip.jpg/inner.png")));
  EXPECT_FALSE(QFileInfo::exists(AlbumFile("trip")));
  EXPECT_EQ(probe->Pictures().size(), 3);  // the list is not rebuilt
}

TEST_F(Album, CopyWithoutJpgFilesCreatesNothingAndStillSaysSuccess) {
  QDir(program.Path()).rename("photos", "elsewhere");  // no album folder yet
  Open({program.File("elsewhere")});
  const QString source = program.MakeFolder("pngs", {"a.png"});
  Copy(source);
  EXPECT_EQ(dialogs.MessageTexts().last(), "复制成功请重新打开相册即可播放");
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
  EXPECT_EQ(dialogs.MessageTexts().last(), "复制成功请重新打开相册即可播放");
}

TEST_F(Album, LinkLoopUnderAJpgNamedFolderEnds) {
  Open();
  const QString source = program.MakeFolder("loop", {"x.jpg"});
  program.MakeFolder("loop/deep.jpg", {"y.jpg"});
  ASSERT_TRUE(QFile::link(source, source + "/deep.jpg/back.jpg"));  // leads to an ancestor
  ASSERT_TRUE(QFile::link(source, source + "/self.jpg"));
  Copy(source);
  EXPECT_EQ(dialogs.MessageTexts().last(), "复制成功请重新打开相册即可播放");
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
  const QString before = probe->PicturesPath();
  form->Button5->click();
  form->btnChangePath->click();
  EXPECT_TRUE(dialogs.CallsOf(TDialogCall::Message).empty());
  EXPECT_EQ(dialogs.CallsOf(TDialogCall::ChooseFolder).size(), 2u);
  EXPECT_EQ(dialogs.CallsOf(TDialogCall::ChooseFolder)[1].title, "选择照片所在的文件夹:");
  EXPECT_EQ(dialogs.CallsOf(TDialogCall::ChooseFolder)[1].initialFolder, before);
  EXPECT_EQ(probe->PicturesPath(), before);
}

TEST_F(Album, ChoosingAFolderPlaysItsPhotosWithoutTouchingTheTimer) {
  program.MakeFolder("empty");
  Open({program.File("empty")});
  const QString other = program.MakeFolder("other", {"z.png"});
  dialogs.FolderAnswers = {other};
  form->btnChangePath->click();
  EXPECT_EQ(probe->Pictures(), QStringList{"z.png"});
  EXPECT_EQ(probe->LoadedImage(), "z.png");
  EXPECT_FALSE(form->Timer->isActive());  // starts only when the play mode is switched
}

TEST_F(Album, DeleteRemovesTheDemoPhotosThenSaysNoneAreLeft) {
  Open();
  Touch(AlbumFile("1001.jpg"));
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
  for (int n = 1002; n <= 1009; ++n) Touch(AlbumFile(QString("%1.jpg").arg(n)));
  form->Button4->click();
  EXPECT_EQ(dialogs.MessageTexts().last(), "已经没有演示照片了，请复制宝宝照片到相册把观看相册吧");
  for (int n = 1002; n <= 1009; ++n) EXPECT_TRUE(QFile::exists(AlbumFile(QString("%1.jpg").arg(n))));
}

TEST_F(Album, DeleteAllNineWhenTheyAreThere) {
  Open();
  for (int n = 1001; n <= 1009; ++n) Touch(AlbumFile(QString("%1.jpg").arg(n)));
  form->Button4->click();
  EXPECT_EQ(dialogs.MessageTexts().last(), "删除完毕");
  for (int n = 1001; n <= 1009; ++n) EXPECT_FALSE(QFile::exists(AlbumFile(QString("%1.jpg").arg(n))));
  EXPECT_EQ(QDir(program.File("photos")).entryList(QDir::Files).size(), 3);
}

}  // namespace
}  // namespace app_test
