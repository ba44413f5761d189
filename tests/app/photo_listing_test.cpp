// Which entries of a photo folder are listed, and that each listed one loads.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <cstdio>

#include "app/file_name_bytes.h"
#include "app/photo_folder.h"
#include "app_fixture.h"
#include "removed_at_end.h"
#include "view/vantrel.h"

namespace app_test {
namespace {

class PhotoListing : public AppTest {};

// A link to a pipe would block the window thread in open() for ever; a name
// that isn't UTF-8 is a file like any other.
TEST_F(PhotoListing, ListsRegularFilesByTheirBytesAndNothingElse) {
  const QString folder = program.MakeFolder("mixed", {"a.jpg"});
  const QByteArray bytes = QFile::encodeName(folder);
  ASSERT_EQ(::mkfifo(bytes + "/pipe.jpg", 0600), 0);
  ASSERT_TRUE(QFile::link(folder + "/pipe.jpg", folder + "/link-to-pipe.jpg"));
  ASSERT_TRUE(QFile::link("/dev/zero", folder + "/link-to-device.png"));
  WritePicture(folder + "/latin1.png", Qt::blue);
  const QByteArray latin1Name = "caf\xe9.png";
  const TRemovedAtEnd cleanup{{bytes + "/" + latin1Name}};
  ASSERT_EQ(std::rename(bytes + "/latin1.png", bytes + "/" + latin1Name), 0);

  const QStringList names = app::ListPictureNames(folder);
  ASSERT_EQ(names.size(), 2) << names.join(", ").toStdString();
  EXPECT_EQ(names[0], "a.jpg");
  EXPECT_EQ(app::FileNameToBytes(names[1]), latin1Name);
}

TEST_F(PhotoListing, APhotoWhoseNameIsNotUtf8IsPlayed) {
  const QString folder = program.MakeFolder("latin1");
  WritePicture(folder + "/x.png", Qt::blue);
  const QByteArray bytes = QFile::encodeName(folder);
  const TRemovedAtEnd cleanup{{bytes + "/\xe9t\xe9.png"}};
  ASSERT_EQ(std::rename(bytes + "/x.png", bytes + "/\xe9t\xe9.png"), 0);
  Open({folder});
  ASSERT_EQ(form->Playlist().Pictures().size(), 1);
  EXPECT_EQ(form->Playlist().LoadedImage(), form->Playlist().Pictures()[0]);
  EXPECT_TRUE(dialogs.MessageTexts().isEmpty()) << dialogs.MessageTexts().join(" | ").toStdString();
  EXPECT_FALSE(form->Vantrel->Picture().Empty());
}

TEST(FileNameBytes, RoundTripsEveryKindOfName) {
  const QByteArray cases[] = {"plain.jpg",
                              "照片.jpg",
                              "caf\xe9.jpg",
                              "\xff\xfe.png",
                              "\xed\xa0\x80.jpg",
                              "\xc0\xaf.jpg",
                              "emoji\xf0\x9f\x98\x80.jpg",
                              "cut\xe7\x85.jpg"};
  for (const QByteArray& bytes : cases) EXPECT_EQ(app::FileNameToBytes(app::FileNameFromBytes(bytes)), bytes);
  EXPECT_EQ(app::FileNameFromBytes("照片.jpg"), QString("照片.jpg"));
}

}  // namespace
}  // namespace app_test
