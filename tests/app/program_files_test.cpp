// Where the program finds its files: beside itself in a build folder, in its
// data folder and the user's data folder when installed.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>

#include "app/program_files.h"
#include "app_fixture.h"

namespace app_test {
namespace {

// Every file under `root` with its size, to see that nothing was written there.
QStringList Listing(const QString& root) {
  QStringList entries;
  QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    it.next();
    entries << it.filePath() + ":" + QString::number(it.fileInfo().size());
  }
  entries.sort();
  return entries;
}

QByteArray Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// An installed prefix (bin/ without pictures, share/<name>/ with them) and a
// user data folder of its own, named by XDG_DATA_HOME while the test runs.
class InstalledLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    savedDataHome_ = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", UserData().toUtf8());
    QDir().mkpath(Bin());
    QDir().mkpath(Data() + "/Photos");
    WritePicture(Data() + "/1002.jpg", QColor(10, 20, 90), 64, 64);
    Touch(Data() + "/maker.html", "<html></html>");
    // The demonstration photos the build made: the delete command removes
    // only files that are byte for byte these.
    for (int number = 1001; number <= 1009; ++number) {
      const QString name = QString("/%1.jpg").arg(number);
      QFile::copy(QString(VANTREL_DEMO_ALBUM) + name, Data() + "/Photos" + name);
    }
  }
  void TearDown() override { qputenv("XDG_DATA_HOME", savedDataHome_); }

  QString Bin() const { return root_.filePath("prefix/bin"); }
  QString Data() const { return root_.filePath("prefix/share/" + app::kDataFolderName); }
  QString UserData() const { return root_.filePath("home/data"); }
  QString UserAlbumHome() const { return UserData() + "/" + app::kDataFolderName; }

  QTemporaryDir root_;
  QByteArray savedDataHome_;
};

TEST(ProgramFiles, BuildFolderKeepsEverythingBesideTheProgram) {
  TProgramFolder program;
  const app::TProgramFiles files = app::LocateProgramFiles(program.Path());
  EXPECT_FALSE(files.Installed);
  EXPECT_EQ(files.DataDir, program.Path());
  EXPECT_EQ(files.AlbumHome, program.Path());
  const QStringList before = Listing(program.Path());
  app::MakeUserAlbumOnFirstStart(files);  // nothing to make
  EXPECT_EQ(Listing(program.Path()), before);
}

TEST_F(InstalledLayout, DataFromTheSharedFolderAlbumFromTheUserDataFolder) {
  const app::TProgramFiles files = app::LocateProgramFiles(Bin());
  EXPECT_TRUE(files.Installed);
  EXPECT_EQ(QFileInfo(files.DataDir).canonicalFilePath(), QFileInfo(Data()).canonicalFilePath());
  EXPECT_EQ(files.AlbumHome, UserAlbumHome());
}

TEST_F(InstalledLayout, FirstStartFillsTheUserAlbumAndWritesNothingInstalled) {
  const QStringList installed = Listing(root_.filePath("prefix"));
  const app::TProgramFiles files = app::LocateProgramFiles(Bin());
  app::MakeUserAlbumOnFirstStart(files);

  QStringList expected;
  for (int number = 1001; number <= 1009; ++number) expected << QString("%1.jpg").arg(number);
  EXPECT_EQ(QDir(UserAlbumHome() + "/Photos").entryList(QDir::Files, QDir::Name), expected);
  EXPECT_EQ(Read(UserAlbumHome() + "/Photos/1005.jpg"), Read(Data() + "/Photos/1005.jpg"));
  // No half-made album is left beside it.
  EXPECT_EQ(QDir(UserAlbumHome()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{"Photos"});
  EXPECT_EQ(Listing(root_.filePath("prefix")), installed);
}

TEST_F(InstalledLayout, AnAlbumThatExistsIsLeftAsItIsWhateverItsCase) {
  // The user deleted the demonstration photos: they do not come back.
  QDir().mkpath(UserAlbumHome() + "/photos");
  app::MakeUserAlbumOnFirstStart(app::LocateProgramFiles(Bin()));
  EXPECT_EQ(QDir(UserAlbumHome()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"photos"});
  EXPECT_TRUE(QDir(UserAlbumHome() + "/photos").isEmpty());
}

TEST_F(InstalledLayout, ABrokenInstallationLeavesNoAlbumSoTheNextStartTriesAgain) {
  QFile::remove(Data() + "/Photos/1007.jpg");
  const app::TProgramFiles files = app::LocateProgramFiles(Bin());
  EXPECT_THROW(app::MakeUserAlbumOnFirstStart(files), std::runtime_error);
  EXPECT_TRUE(QDir(UserAlbumHome()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());

  WritePicture(Data() + "/Photos/1007.jpg", Qt::red);
  app::MakeUserAlbumOnFirstStart(files);
  EXPECT_EQ(QDir(UserAlbumHome() + "/Photos").entryList(QDir::Files).size(), 9);
}

// The window on an installed layout: it plays, copies into and deletes from
// the user's album, and the installed files stay as they were.
TEST_F(InstalledLayout, TheWindowPlaysCopiesIntoAndDeletesFromTheUserAlbum) {
  const app::TProgramFiles files = app::LocateProgramFiles(Bin());
  app::MakeUserAlbumOnFirstStart(files);
  const QStringList installed = Listing(root_.filePath("prefix"));
  TScriptedDialogs dialogs;
  app::TFormSetup setup;
  setup.ProgramDir = files.DataDir;
  setup.AlbumHome = files.AlbumHome;
  setup.Dialogs = &dialogs;
  auto form = std::make_unique<app::TPhotosform>(setup);
  EXPECT_EQ(form->Playlist().PicturesPath(), UserAlbumHome() + "/Photos");
  EXPECT_EQ(form->Playlist().Pictures().size(), 9);

  const QString source = root_.filePath("camera");
  QDir().mkpath(source);
  WritePicture(source + "/holiday.jpg", Qt::green);
  dialogs.FolderAnswers = {source};
  form->Button5->click();
  EXPECT_TRUE(QFile::exists(UserAlbumHome() + "/Photos/holiday.jpg"));

  form->Button4->click();
  EXPECT_EQ(QDir(UserAlbumHome() + "/Photos").entryList(QDir::Files), QStringList{"holiday.jpg"});
  EXPECT_EQ(dialogs.MessageTexts(),
            (QStringList{"复制成功请重新打开相册即可播放\n新复制 1 张照片，0 张已在相册中", "删除完毕"}));

  form->close();
  ASSERT_EQ(dialogs.CallsOf(TDialogCall::OpenUrl).size(), 1u);
  EXPECT_EQ(dialogs.CallsOf(TDialogCall::OpenUrl).at(0).url.toLocalFile(), files.DataDir + "/maker.html");
  form.reset();
  EXPECT_EQ(Listing(root_.filePath("prefix")), installed);
}

}  // namespace
}  // namespace app_test
