// The album copy onto a disk that fills up and onto one that cannot be
// written: a small memory file system mounted over the album folder (where
// the test may mount one; skipped otherwise).
#include <gtest/gtest.h>
#include <sys/mount.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <cerrno>
#include <cstring>

#include "app_fixture.h"

namespace app_test {
namespace {

// A tmpfs of `size` mounted on `folder` for the test's lifetime.
class TScopedTmpfs {
 public:
  TScopedTmpfs(const QString& folder, const char* size, bool readOnly) : folder_(QFile::encodeName(folder)) {
    const std::string options = std::string("size=") + size + ",mode=0755";
    mounted_ = ::mount("tmpfs", folder_.constData(), "tmpfs", readOnly ? MS_RDONLY : 0, options.c_str()) == 0;
    if (!mounted_) error_ = std::strerror(errno);
  }
  ~TScopedTmpfs() {
    if (mounted_) ::umount2(folder_.constData(), MNT_DETACH);
  }
  bool Mounted() const { return mounted_; }
  std::string Error() const { return error_; }

 private:
  QByteArray folder_;
  bool mounted_ = false;
  std::string error_;
};

constexpr int kPhotoCount = 40;
constexpr int kPhotoBytes = 20 * 1024;

class AlbumDisk : public AppTest {
 protected:
  QString MakeSource() {
    const QString source = program.MakeFolder("source");
    for (int i = 0; i < kPhotoCount; ++i) {
      Touch(source + QString("/photo%1.jpg").arg(i, 2, 10, QChar('0')), QByteArray(kPhotoBytes, char('a' + i % 26)));
    }
    return source;
  }
  void Copy(const QString& source) {
    dialogs.FolderAnswers = {source};
    form->Button5->click();
  }
  QFileInfoList AlbumEntries() const {
    return QDir(program.File("Photos")).entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
  }
};

TEST_F(AlbumDisk, FullDiskCountsWhatFailedAndLeavesNoPartialFile) {
  const QString source = MakeSource();
  TScopedTmpfs disk(program.File("Photos"), "256k", false);
  if (!disk.Mounted()) GTEST_SKIP() << "cannot mount a tmpfs here: " << disk.Error();
  Open({source});
  Copy(source);

  const QFileInfoList entries = AlbumEntries();
  for (const QFileInfo& entry : entries) {
    EXPECT_FALSE(entry.fileName().startsWith('.')) << "temporary file left: " << entry.fileName().toStdString();
    EXPECT_EQ(entry.size(), kPhotoBytes) << entry.fileName().toStdString();
  }
  const int copied = int(entries.size());
  ASSERT_GT(copied, 0);
  ASSERT_LT(copied, kPhotoCount);
  EXPECT_EQ(dialogs.MessageTexts().last(),
            QString("复制失败\n新复制 %1 张照片，0 张已在相册中，%2 张未能复制（磁盘已满）")
                .arg(copied)
                .arg(kPhotoCount - copied));
}

TEST_F(AlbumDisk, ReadOnlyAlbumCopiesNothingAndSaysSo) {
  const QString source = MakeSource();
  TScopedTmpfs disk(program.File("Photos"), "1m", true);
  if (!disk.Mounted()) GTEST_SKIP() << "cannot mount a tmpfs here: " << disk.Error();
  Open({source});
  Copy(source);
  EXPECT_TRUE(AlbumEntries().isEmpty());
  EXPECT_EQ(dialogs.MessageTexts().last(),
            QString("复制失败\n新复制 0 张照片，0 张已在相册中，%1 张未能复制（没有写入相册的权限）").arg(kPhotoCount));
}

}  // namespace
}  // namespace app_test
