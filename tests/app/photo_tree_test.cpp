// Playing the photos of sub-folders too: name order over the relative paths,
// no hidden folders, no symbolic links to folders, no loops.
#include <gtest/gtest.h>

#include <QFile>
#include <QTimer>

#include "app/photo_tree.h"
#include "app_fixture.h"
#include "view/vantrel.h"

namespace app_test {
namespace {

class PhotoTree : public AppTest {};

TEST_F(PhotoTree, SubFoldersAreListedInNameOrderWithoutHiddenOrLinkedFolders) {
  const QString top = program.MakeFolder("top", {"b.jpg", "Z.png"});
  program.MakeFolder("top/a", {"x.jpg", "notes.txt"});
  program.MakeFolder("top/a/deep", {"y.bmp"});
  program.MakeFolder("top/.hidden", {"h.jpg"});
  program.MakeFolder("top/empty");
  const QString outside = program.MakeFolder("outside", {"o.jpg"});
  ASSERT_TRUE(QFile::link(outside, top + "/linked"));
  ASSERT_TRUE(QFile::link(top, top + "/a/loop"));  // a way back up
  ASSERT_TRUE(QFile::link(outside + "/o.jpg", top + "/o-link.jpg"));

  EXPECT_EQ(app::ListPictureTree(top), QStringList({"a/deep/y.bmp", "a/x.jpg", "b.jpg", "o-link.jpg", "Z.png"}));
  EXPECT_EQ(app::ListPictureFolders(top), QStringList({top, top + "/a", top + "/a/deep", top + "/empty"}));
  EXPECT_THROW(app::ListPictureTree(program.File("gone")), std::runtime_error);
}

TEST_F(PhotoTree, TheWindowPlaysSubFolderPhotosOnlyWhenAskedTo) {
  const QString top = program.MakeFolder("top", {"b.jpg"});
  program.MakeFolder("top/sub", {"s.jpg"});
  Open({top});
  EXPECT_EQ(form->Playlist().Pictures(), QStringList{"b.jpg"});
  Open({top}, {}, true);
  ASSERT_EQ(form->Playlist().Pictures(), QStringList({"b.jpg", "sub/s.jpg"}));
  form->Timer->stop();
  // Both load: the sub-folder's photo is found below the played folder.
  for (int i = 0; i < 4; ++i) {
    Tick();
    ASSERT_TRUE(WaitIdle());
  }
  EXPECT_TRUE(dialogs.Calls.empty());
  EXPECT_TRUE(form->Playlist().Pictures().contains(form->Playlist().LoadedImage()));
}

}  // namespace
}  // namespace app_test
