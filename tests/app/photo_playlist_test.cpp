// The show's photo list without a window: listings before and after a change
// of the folder, and which photo comes next, what is dropped, what the
// history keeps.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <map>

#include "app/photo_playlist.h"
#include "app_fixture.h"
#include "platform/raster/random.h"

namespace {

QStringList History(const app::TPhotoPlaylist& playlist) {
  return QStringList(playlist.History().cbegin(), playlist.History().cend());
}

class PhotoPlaylist : public ::testing::Test {
 protected:
  void Play(const QStringList& listing) { playlist.Play(folder.path(), listing); }
  // `name` comes in, as the show brings it on screen.
  void Show(const QString& name) {
    playlist.SetLoaded(name);
    playlist.BeginShowing();
    playlist.RememberShown(name);
  }

  QTemporaryDir folder;
  app::TPhotoPlaylist playlist{false, [] {}};
};

struct TListingCase {
  const char* name;
  QStringList before;  // listed when the folder began to play
  QStringList shown;  // brought on screen, in order
  QStringList dropped;  // failed to load
  QString loaded;  // chosen to come next when the change comes
  bool keepLastShown;  // a transition waits at its start
  QStringList after;  // listed after the change
  // what the change leaves
  QStringList pictures;
  QStringList history;
  bool newcomers, loadedGone;
  QStringList next;  // the photos chosen next, in order, each brought on screen
};

TEST_F(PhotoPlaylist, ListingChangesAsATable) {
  const TListingCase cases[] = {
      {"an added photo comes next",
       {"a", "b", "c"},
       {"a", "b"},
       {},
       "c",
       false,
       {"a", "b", "c", "d"},
       {"a", "b", "c", "d"},
       {"a", "b"},
       true,
       false,
       {"d"}},
      {"added photos come in listing order",
       {"b"},
       {"b"},
       {},
       "b",
       false,
       {"a", "b", "c"},
       {"a", "b", "c"},
       {"b"},
       true,
       false,
       {"a", "c"}},
      {"a removed photo leaves the list and the history",
       {"a", "b", "c"},
       {"a", "b", "c"},
       {},
       "a",
       false,
       {"a", "c"},
       {"a", "c"},
       {"a", "c"},
       false,
       false,
       {}},
      {"the photo to come next removed",
       {"a", "b", "c"},
       {"a"},
       {},
       "b",
       false,
       {"a", "c"},
       {"a", "c"},
       {"a"},
       false,
       true,
       {}},
      {"a photo that failed to load stays dropped",
       {"a", "b", "c"},
       {"a"},
       {"b"},
       "c",
       false,
       {"a", "b", "c"},
       {"a", "c"},
       {"a"},
       false,
       false,
       {}},
      {"a transition waiting at its start keeps its entry",
       {"a", "b", "c"},
       {"a", "b"},
       {},
       "c",
       true,
       {"a", "c"},
       {"a", "c"},
       {"a", "b"},
       false,
       false,
       {}},
      {"an emptied folder plays nothing", {"a", "b"}, {"a"}, {}, "b", false, {}, {}, {}, false, true, {}},
      {"a newcomer on screen is passed over",
       {"a"},
       {"a"},
       {},
       "a",
       false,
       {"a", "b"},
       {"a", "b"},
       {"a"},
       true,
       false,
       {"b"}},
  };
  for (const TListingCase& c : cases) {
    SCOPED_TRACE(c.name);
    Play(c.before);
    for (const QString& name : c.shown) Show(name);
    for (const QString& name : c.dropped) playlist.Drop(name);
    playlist.SetLoaded(c.loaded);
    const app::TPhotoPlaylist::TListingChange change = playlist.ApplyListing(c.after, c.keepLastShown);
    EXPECT_EQ(playlist.Pictures(), c.pictures);
    EXPECT_EQ(History(playlist), c.history);
    EXPECT_EQ(change.newcomers, c.newcomers);
    EXPECT_EQ(change.loadedGone, c.loadedGone);
    EXPECT_EQ(playlist.PicturesPath().isEmpty(), c.pictures.isEmpty());
    for (const QString& expected : c.next) {
      EXPECT_EQ(playlist.ChooseNext(), expected);
      Show(playlist.LoadedImage());
    }
  }
}

// Photos that come back after the folder was emptied (deleted and made
// again) play again, first of all.
TEST_F(PhotoPlaylist, AFolderFilledAgainPlaysItsPhotosAgain) {
  Play({"a", "b"});
  Show("a");
  playlist.ApplyListing({}, false);
  ASSERT_TRUE(playlist.PicturesPath().isEmpty());
  const app::TPhotoPlaylist::TListingChange change = playlist.ApplyListing({"a", "b"}, false);
  EXPECT_TRUE(change.newcomers);
  EXPECT_EQ(playlist.Pictures(), QStringList({"a", "b"}));
  EXPECT_EQ(playlist.PicturesPath(), folder.path());
}

// The random draw never gives the photo on screen twice in a row, except
// when it is the only one; every photo comes in time.
TEST_F(PhotoPlaylist, RandomOrderNeverRepeatsThePhotoOnScreen) {
  for (const QStringList& listing : {QStringList{"a"}, QStringList{"a", "b"}, QStringList{"a", "b", "c", "d"}}) {
    SCOPED_TRACE(listing.join(',').toStdString());
    raster::RandSeed = 12345;
    Play(listing);
    std::map<QString, int> counts;
    QString before;
    for (int i = 0; i < 400; ++i) {
      const QString next = playlist.ChooseNext();
      if (listing.size() > 1) {
        EXPECT_NE(next, before) << "draw " << i;
      }
      before = next;
      ++counts[next];
      Show(next);
    }
    EXPECT_EQ(counts.size(), size_t(listing.size()));
  }
}

TEST_F(PhotoPlaylist, HistoryGoesBackAndKeepsItsLastHundred) {
  Play({"a", "b", "c"});
  EXPECT_EQ(playlist.StepBack(), "");
  for (const char* name : {"a", "b", "b", "c"}) Show(name);
  EXPECT_EQ(History(playlist), QStringList({"a", "b", "c"}));  // the same photo again is one entry
  EXPECT_EQ(playlist.PhotoOnScreen(false), "c");
  EXPECT_EQ(playlist.PhotoOnScreen(true), "b");  // the last transition has shown nothing yet
  EXPECT_EQ(playlist.StepBack(), "b");
  EXPECT_EQ(History(playlist), QStringList({"a", "b"}));
  for (int i = 0; i < 150; ++i) Show(i % 2 ? "a" : "c");
  EXPECT_EQ(playlist.History().size(), app::TPhotoPlaylist::kHistoryLength);
  // Another folder: going back ends there.
  Play({"x"});
  EXPECT_TRUE(playlist.History().empty());
}

// The folder playing, watched without a window: each settled change is
// reported, and a rescan takes in whole new files and lets removed ones go,
// also once the folder's name stands for another folder.
TEST(PhotoPlaylistWatch, ChangesOfTheFolderPlayingAreReportedAndTakenIn) {
  QTemporaryDir root;
  const QString folder = root.filePath("album");
  QDir().mkpath(folder);
  app_test::Touch(folder + "/a.jpg");
  int reports = 0;
  app::TPhotoPlaylist* watched = nullptr;
  app::TPhotoPlaylist playlist(false, [&] {
    ++reports;
    watched->Rescan(false);
  });
  watched = &playlist;
  playlist.Play(folder, playlist.List(folder));
  ASSERT_EQ(playlist.Pictures(), QStringList{"a.jpg"});

  app_test::Touch(folder + "/b.jpg");
  app_test::Touch(folder + "/notes.txt");
  EXPECT_TRUE(app_test::WaitUntil([&] { return playlist.Pictures() == QStringList({"a.jpg", "b.jpg"}); }));
  EXPECT_EQ(playlist.ChooseNext(), "b.jpg") << "a photo added comes next";

  QFile::remove(folder + "/a.jpg");
  EXPECT_TRUE(app_test::WaitUntil([&] { return playlist.Pictures() == QStringList{"b.jpg"}; }));

  const QString replacement = root.filePath("new");
  QDir().mkpath(replacement);
  app_test::Touch(replacement + "/c.jpg");
  ASSERT_TRUE(QDir().rename(folder, root.filePath("old")));
  ASSERT_TRUE(QDir().rename(replacement, folder));
  EXPECT_TRUE(app_test::WaitUntil([&] { return playlist.Pictures() == QStringList{"c.jpg"}; }));
  EXPECT_EQ(playlist.PicturesPath(), folder);
  EXPECT_GE(reports, 3);
}

// With sub-folders playing, folders made as a file manager makes them (a new
// folder, then renamed), one inside the other, are watched: a photo put two
// levels down is taken in and comes next.
TEST(PhotoPlaylistWatch, PhotosInSubFoldersMadeAndRenamedAreTakenIn) {
  QTemporaryDir root;
  const QString folder = root.filePath("album");
  QDir().mkpath(folder);
  app_test::Touch(folder + "/a.jpg");
  app::TPhotoPlaylist* watched = nullptr;
  app::TPhotoPlaylist playlist(true, [&] {
    if (watched->Rescan(false).newcomers) watched->ChooseNext();
  });
  watched = &playlist;
  playlist.Play(folder, playlist.List(folder));
  auto settled = [] { app_test::Pump(app::TFolderWatch::kSettleMs * 3); };
  QString parent = folder;
  for (const char* name : {"two", "down"}) {
    ASSERT_TRUE(QDir().mkpath(parent + "/New Folder"));
    settled();
    ASSERT_TRUE(QDir().rename(parent + "/New Folder", parent + "/" + name));
    settled();
    parent += QString("/") + name;
  }
  app_test::Touch(parent + "/q.jpg");
  EXPECT_TRUE(app_test::WaitUntil([&] { return playlist.LoadedImage() == "two/down/q.jpg"; }))
      << playlist.WatchedFolders().join(", ").toStdString();
}

TEST_F(PhotoPlaylist, PlayingAFolderStoresItWithoutOneTrailingSeparator) {
  playlist.Play("/", {"a"});
  EXPECT_EQ(playlist.PicturesPath(), "");
  playlist.Play("/photos//", {"a"});
  EXPECT_EQ(playlist.PicturesPath(), "/photos/");
}

}  // namespace
