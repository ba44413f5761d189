// The folder copy on its own, against what a hostile source or album holds:
// links to secrets, to endless files, to devices and folders, and links in
// the album leading out of it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <stop_token>

#include "app/demo_photo_removal.h"
#include "app/jpg_folder_copy.h"
#include "app_fixture.h"

namespace app_test {
namespace {

class JpgFolderCopy : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(root_.isValid());
    ASSERT_TRUE(QDir(root_.path()).mkpath("source"));
    ASSERT_TRUE(QDir(root_.path()).mkpath("album"));
    ASSERT_TRUE(QDir(root_.path()).mkpath("outside"));
  }
  QString Path(const QString& name) const { return root_.filePath(name); }
  void Link(const QString& target, const QString& name) const {
    ASSERT_EQ(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(Path(name)).constData()), 0)
        << name.toStdString();
  }
  // Writes the file and gives it `mode`.
  void Write(const QString& name, const QByteArray& content, mode_t mode = 0644) const {
    Touch(Path(name), content);
    ASSERT_EQ(::chmod(QFile::encodeName(Path(name)).constData(), mode), 0);
  }
  app::TCopyReport Copy(std::stop_token stop = {}, const app::TJpgFolderCopy::TProgress& progress = {}) {
    return app::TJpgFolderCopy().Copy(Path("source"), Path("album"), stop, progress);
  }
  mode_t ModeOf(const QString& name) const {
    struct stat status {};
    EXPECT_EQ(::lstat(QFile::encodeName(Path(name)).constData(), &status), 0) << name.toStdString();
    return status.st_mode & 07777;
  }
  QStringList Entries(const QString& folder) const {
    return QDir(Path(folder)).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  }

  QTemporaryDir root_;
};

// A link to a regular file is copied as that file, and no copy is readable by
// more people than its source: a private file stays private.
TEST_F(JpgFolderCopy, CopiesAreNoMoreReadableThanTheirSources) {
  Write("outside/secret", "the secret", 0600);
  Link(Path("outside/secret"), "source/key.jpg");
  Write("source/group.jpg", "group", 0640);
  Write("source/all.jpg", "all", 0644);
  // Readable by a group this process is not in: the copy's group is ours.
  Write("source/their-group.jpg", "theirs", 0640);
  ASSERT_EQ(::chown(QFile::encodeName(Path("source/their-group.jpg")).constData(), uid_t(-1), ::getegid() + 4242), 0);
  const app::TCopyReport report = Copy();
  EXPECT_EQ(report.copied, 4);
  EXPECT_EQ(report.failed, 0);
  EXPECT_TRUE(QFileInfo(Path("album/key.jpg")).isFile());
  EXPECT_FALSE(QFileInfo(Path("album/key.jpg")).isSymLink());
  EXPECT_EQ(ModeOf("album/key.jpg") & 077, 0u);
  EXPECT_EQ(ModeOf("album/group.jpg") & ~mode_t(0640), 0u);
  EXPECT_EQ(ModeOf("album/all.jpg") & 0444, 0444u);
  EXPECT_EQ(ModeOf("album/their-group.jpg") & 077, 0u);
}

// Links to anything but a regular file are passed over, and a file is read
// no further than the size it had when it was opened: a file of the kernel's
// that claims no size but never ends cannot fill the disk.
TEST_F(JpgFolderCopy, ReadsNoMoreThanTheSizeAndSkipsLinksToOtherThings) {
  Link("/proc/self/status", "source/endless.jpg");
  Link("/dev/zero", "source/device.jpg");
  Link(Path("outside"), "source/folder.jpg");
  Link(Path("nowhere"), "source/dangling.jpg");
  const app::TCopyReport report = Copy();
  EXPECT_EQ(report.failed, 0);
  EXPECT_EQ(QFileInfo(Path("album/endless.jpg")).size(), 0);
  for (const char* skipped : {"device.jpg", "folder.jpg", "dangling.jpg"}) {
    EXPECT_FALSE(QFileInfo::exists(Path("album/") + skipped)) << skipped;
  }
}

// A link in the album (to a folder outside it, or to a file not yet there)
// is never written through: nothing lands outside the album.
TEST_F(JpgFolderCopy, NeverWritesThroughALinkInTheAlbum) {
  ASSERT_TRUE(QDir(Path("source")).mkpath("trip.jpg"));
  Write("source/trip.jpg/inner.jpg", "inner");
  Write("source/x.jpg", "x");
  Link(Path("outside"), "album/trip.jpg");
  Link(Path("outside/x.jpg"), "album/x.jpg");
  const app::TCopyReport report = Copy();
  EXPECT_TRUE(Entries("outside").isEmpty()) << Entries("outside").join(' ').toStdString();
  EXPECT_EQ(report.copied, 0);
  EXPECT_EQ(report.alreadyThere, 1);  // x.jpg: the name is taken
  EXPECT_EQ(report.failed, 1);  // trip.jpg/inner.jpg: its folder is a link
  EXPECT_TRUE(QFileInfo(Path("album/trip.jpg")).isSymLink());
}

// A stop between files or in the middle of one: the photos copied so far are
// whole, the one being copied is not there at all, nothing hidden is left.
TEST_F(JpgFolderCopy, StopLeavesOnlyWholePhotos) {
  const QByteArray big(3 * 1024 * 1024, 'b');
  Write("source/a.jpg", "first");
  Write("source/b.jpg", big);
  Write("source/c.jpg", "third");
  for (const bool midFile : {false, true}) {
    SCOPED_TRACE(midFile ? "in the middle of b.jpg" : "after a.jpg");
    for (const QString& name : Entries("album")) QFile::remove(Path("album/" + name));
    std::stop_source stop;
    const app::TCopyReport report = Copy(stop.get_token(), [&](int files, int64_t bytes) {
      if (midFile ? bytes > 10 : files == 1) stop.request_stop();
    });
    EXPECT_TRUE(report.cancelled);
    EXPECT_EQ(report.copied, 1);
    EXPECT_EQ(report.failed, 0);
    EXPECT_EQ(Entries("album"), QStringList{"a.jpg"});
  }
}

}  // namespace
}  // namespace app_test

namespace app_test {
namespace {

// The removal of a demonstration photo checks the very file it removes: a
// file put in its place after the check (here by a rename over it) is the
// user's and stays, under its name.
TEST(DemoPhotoRemoval, RemovesOnlyTheFileThatWasChecked) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QByteArray shipped = "the shipped photo";
  const QByteArray hash = QCryptographicHash::hash(shipped, QCryptographicHash::Sha256).toHex();
  const app::TDemoPhoto photo{"1001.jpg", uint64_t(shipped.size()), hash.constData()};

  Touch(folder.filePath("1001.jpg"), shipped);
  EXPECT_EQ(app::RemoveShippedPhoto(folder.path(), photo), app::TDemoRemoval::Removed);
  EXPECT_FALSE(QFileInfo::exists(folder.filePath("1001.jpg")));

  Touch(folder.filePath("1001.jpg"), shipped);
  Touch(folder.filePath("users.jpg"), "the user's photo");
  const app::TDemoRemoval swapped = app::RemoveShippedPhoto(folder.path(), photo, [&] {
    ASSERT_EQ(::rename(QFile::encodeName(folder.filePath("users.jpg")).constData(),
                       QFile::encodeName(folder.filePath("1001.jpg")).constData()),
              0);
  });
  EXPECT_EQ(swapped, app::TDemoRemoval::Kept);
  QFile kept(folder.filePath("1001.jpg"));
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), "the user's photo");
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{"1001.jpg"});
}

}  // namespace
}  // namespace app_test
