// The folder playing stays current: photos added to it are taken into the
// list and shown soon, photos removed from it are dropped, and the show goes
// on whatever is removed.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "app/folder_watch.h"
#include "app_fixture.h"
#include "view/vantrel.h"

namespace app_test {
namespace {

class FolderWatch : public AppTest {
 protected:
  // Plays `folder` with quick transitions, one every `intervalMs`.
  void Play(const QString& folder, int intervalMs, bool recursive = false) {
    Open({folder}, {}, recursive);
    MakeFast(intervalMs);
  }
  bool Listed(const QString& name) const { return form->Playlist().Pictures().contains(name); }
  // Time enough for a change to settle and be listed.
  static constexpr int kListedMs = app::TFolderWatch::kSettleMs + 2000;
};

TEST_F(FolderWatch, APhotoAddedIsShownWithinTwoCycles) {
  const QString folder = program.MakeFolder("album", {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg", "f.jpg"});
  Play(folder, 200);
  ASSERT_TRUE(WaitUntil([&] { return form->Playlist().History().size() >= 2; }));
  for (const char* added : {"new1.jpg", "sub-folder-less name.png"}) {
    WritePicture(folder + "/" + added, QColor(200, 10, 10));
    ASSERT_TRUE(WaitUntil([&] { return Listed(added); }, kListedMs)) << added;
    const size_t cyclesBefore = form->Playlist().History().size();
    ASSERT_TRUE(WaitUntil([&] { return form->Playlist().ShowingImage() == added; }, 5000)) << added << " never shown";
    EXPECT_LE(form->Playlist().History().size() - cyclesBefore, 2u) << added;
    EXPECT_EQ(form->Playlist().Pictures().size(), 7u + (QString(added) == "new1.jpg" ? 0 : 1));
  }
  EXPECT_TRUE(dialogs.Calls.empty());
}

TEST_F(FolderWatch, PhotosRemovedAreDroppedAndTheShowGoesOn) {
  const QString folder = program.MakeFolder("album", {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"});
  Play(folder, 150);
  ASSERT_TRUE(WaitUntil([&] { return !form->Playlist().ShowingImage().isEmpty() && !form->Vantrel->Busy(); }));
  // The photo on screen, then the one preloaded, then one never shown.
  QStringList removed;
  for (int round = 0; round < 3; ++round) {
    const QString name = round == 0   ? form->Playlist().ShowingImage()
                         : round == 1 ? form->Playlist().LoadedImage()
                                      : form->Playlist().Pictures().constLast();
    ASSERT_FALSE(name.isEmpty());
    ASSERT_TRUE(QFile::remove(folder + "/" + name)) << name.toStdString();
    removed << name;
    ASSERT_TRUE(WaitUntil([&] { return !Listed(name); }, kListedMs)) << name.toStdString() << " still listed";
    EXPECT_NE(form->Playlist().LoadedImage(), name) << "a removed photo stays preloaded";
    const size_t shown = form->Playlist().History().size();
    EXPECT_TRUE(WaitUntil([&] { return form->Playlist().History().size() >= shown + 2; }, 5000))
        << "the show stopped after " << name.toStdString() << " was removed";
    for (const QString& inHistory : form->Playlist().History()) EXPECT_NE(inHistory, name);
  }
  EXPECT_EQ(form->Playlist().Pictures().size(), 2u);
  // A preload that came before the change was listed reports the file it
  // could not read; nothing else is reported.
  for (const QString& text : dialogs.MessageTexts()) {
    EXPECT_TRUE(std::any_of(removed.cbegin(), removed.cend(), [&](const QString& r) { return text.contains(r); }))
        << text.toStdString();
  }
}

TEST_F(FolderWatch, AFolderEmptiedAndFilledAgainPlaysAgain) {
  const QString folder = program.MakeFolder("album", {"a.jpg", "b.jpg"});
  Play(folder, 150);
  ASSERT_TRUE(WaitUntil([&] { return form->Playlist().History().size() >= 1; }));
  ASSERT_TRUE(QFile::remove(folder + "/a.jpg"));
  ASSERT_TRUE(QFile::remove(folder + "/b.jpg"));
  ASSERT_TRUE(WaitUntil([&] { return form->Playlist().Pictures().isEmpty(); }, kListedMs));
  EXPECT_TRUE(WaitIdle());
  Pump(300);
  EXPECT_FALSE(form->Timer->isActive()) << "nothing left to play";
  WritePicture(folder + "/back.jpg", QColor(10, 200, 10));
  EXPECT_TRUE(WaitUntil([&] { return form->Playlist().ShowingImage() == "back.jpg"; }, kListedMs + 2000));
}

// A photo copied slowly (a large file from a slow disk) is taken in once it
// is whole: it is neither reported as damaged nor dropped half-written.
TEST_F(FolderWatch, APhotoStillBeingWrittenIsTakenInWhenWhole) {
  const QString folder = program.MakeFolder("album", {"a.jpg", "b.jpg"});
  Play(folder, 150);
  ASSERT_TRUE(WaitUntil([&] { return form->Playlist().History().size() >= 1; }));
  const QString source = program.File("slow-source.jpg");
  WritePicture(source, QColor(200, 200, 10), 400, 300);
  QFile in(source);
  ASSERT_TRUE(in.open(QIODevice::ReadOnly));
  const QByteArray bytes = in.readAll();
  QFile out(folder + "/slow.jpg");
  ASSERT_TRUE(out.open(QIODevice::WriteOnly));
  const int pieces = 8;
  for (int i = 0; i < pieces; ++i) {
    out.write(bytes.mid(bytes.size() * i / pieces, bytes.size() * (i + 1) / pieces - bytes.size() * i / pieces));
    out.flush();
    Pump(120);  // the show goes on meanwhile
    EXPECT_FALSE(Listed("slow.jpg")) << "taken in after " << i + 1 << " of " << pieces << " pieces";
  }
  out.close();
  EXPECT_TRUE(WaitUntil([&] { return form->Playlist().ShowingImage() == "slow.jpg"; }, kListedMs + 2000));
  EXPECT_TRUE(dialogs.Calls.empty());
}

// With sub-folders playing, each of them is watched: a photo added deep
// down, or in a sub-folder made while the show runs, is taken in.
TEST_F(FolderWatch, SubFoldersAreWatchedWhenTheyPlay) {
  const QString folder = program.MakeFolder("album", {"a.jpg"});
  program.MakeFolder("album/2024/summer", {"s.jpg"});
  Play(folder, 600000, true);
  ASSERT_TRUE(Listed("2024/summer/s.jpg"));
  struct Case {
    QString folder, name;
  } cases[] = {{"2024/summer", "t.jpg"}, {"2024", "u.jpg"}, {"2025/new", "v.jpg"}};
  for (const Case& c : cases) {
    QDir().mkpath(folder + "/" + c.folder);
    WritePicture(folder + "/" + c.folder + "/" + c.name, QColor(10, 10, 200));
    EXPECT_TRUE(WaitUntil([&] { return Listed(c.folder + "/" + c.name); }, kListedMs)) << c.name.toStdString();
  }
  ASSERT_TRUE(QDir(folder + "/2024").removeRecursively());
  EXPECT_TRUE(WaitUntil([&] { return !Listed("2024/u.jpg") && !Listed("2024/summer/s.jpg"); }, kListedMs));
  EXPECT_EQ(form->Playlist().Pictures(), (QStringList{"2025/new/v.jpg", "a.jpg"}));
}

// The folder playing deleted and made again, or replaced by another folder
// renamed to its name, is the folder played from then on: its photos come.
TEST_F(FolderWatch, AFolderMadeAgainOrReplacedByARenameIsWatchedAgain) {
  const QString folder = program.MakeFolder("album", {"a.jpg", "b.jpg"});
  Play(folder, 150);
  ASSERT_TRUE(WaitUntil([&] { return form->Playlist().History().size() >= 1; }));

  ASSERT_TRUE(QDir(folder).removeRecursively());
  ASSERT_TRUE(WaitUntil([&] { return form->Playlist().Pictures().isEmpty(); }, kListedMs));
  ASSERT_TRUE(QDir().mkpath(folder));
  WritePicture(folder + "/again.jpg", QColor(10, 200, 10));
  EXPECT_TRUE(WaitUntil([&] { return form->Playlist().ShowingImage() == "again.jpg"; }, 5000))
      << "a folder made again is not played";

  const QString replacement = program.MakeFolder("album-new", {"renamed.jpg"});
  ASSERT_TRUE(QDir().rename(folder, program.File("album-old")));
  ASSERT_TRUE(QDir().rename(replacement, folder));
  EXPECT_TRUE(WaitUntil([&] { return form->Playlist().ShowingImage() == "renamed.jpg"; }, 5000))
      << "a folder renamed into place is not played";
  EXPECT_EQ(form->Playlist().Pictures(), QStringList{"renamed.jpg"});
}

// With sub-folders playing, a photo added in a new folder two levels down
// comes next, as one added one level down does.
TEST_F(FolderWatch, APhotoAddedInNewSubFoldersComesNext) {
  const QString folder = program.MakeFolder("album", {"a.jpg", "b.jpg", "c.jpg"});
  Play(folder, 150, true);
  ASSERT_TRUE(WaitUntil([&] { return form->Playlist().History().size() >= 1; }));
  for (const QString added : {"one/p.jpg", "two/down/q.jpg", "three/levels/down/r.jpg"}) {
    QDir().mkpath(QFileInfo(folder + "/" + added).path());
    WritePicture(folder + "/" + added, QColor(200, 10, 200));
    EXPECT_TRUE(WaitUntil([&] { return form->Playlist().ShowingImage() == added; }, 5000))
        << added.toStdString() << " never shown";
  }
  // A tree of folders moved in whole, its photos older than the show.
  program.MakeFolder("elsewhere/moved/deeper", {"m.jpg"});
  ASSERT_TRUE(QDir().rename(program.File("elsewhere/moved"), folder + "/moved"));
  EXPECT_TRUE(WaitUntil([&] { return form->Playlist().ShowingImage() == "moved/deeper/m.jpg"; }, 5000));
}

// Damaged photos dropped into a playing folder while an error is on screen
// wait for that box to close: one box at a time, with what failed since.
TEST_F(FolderWatch, DamagedPhotosDroppedInShowOneMessageBoxAtATime) {
  const QString folder = program.MakeFolder("album", {"a.jpg", "b.jpg"});
  Play(folder, 150);
  ASSERT_TRUE(WaitUntil([&] { return form->Playlist().History().size() >= 1; }));
  auto drop = [&](int first, int count) {
    QStringList names;
    for (int i = first; i < first + count; ++i) {
      names << QString("damaged%1.jpg").arg(i, 2, 10, QChar('0'));
      Touch(folder + "/" + names.last());
    }
    return names;
  };
  // All of them listed and dropped, and no photo waits to be decoded.
  auto handled = [&](const QStringList& names) {
    return WaitUntil(
        [&] {
          const QStringList& listing = form->Playlist().Listing();
          return std::all_of(names.cbegin(), names.cend(),
                             [&](const QString& name) {
                               return listing.contains(name) && !form->Playlist().Pictures().contains(name);
                             }) &&
                 !form->PreloadPending();
        },
        10000);
  };
  bool dropped = false;
  QStringList later;
  dialogs.WhileMessageOpen = [&] {
    if (dropped) return;
    dropped = true;
    later = drop(10, 10);
    EXPECT_TRUE(handled(later));
    Pump(100);  // a report on its way comes now
  };
  const QStringList first = drop(0, 10);
  ASSERT_TRUE(WaitUntil([&] { return dropped; }, kListedMs + 2000));
  ASSERT_TRUE(handled(first));
  EXPECT_TRUE(WaitUntil([&] { return dialogs.MessageTexts().size() >= 2; }));
  Pump(100);
  EXPECT_EQ(dialogs.MostMessagesOpen, 1);
  const QStringList texts = dialogs.MessageTexts();
  EXPECT_LE(texts.size(), 2) << texts.join("\n---\n").toStdString();
  EXPECT_EQ(form->Playlist().Pictures(), (QStringList{"a.jpg", "b.jpg"}));
}

// A burst of changes (a copy of many photos) is listed once it settles,
// whole and in name order.
TEST_F(FolderWatch, ABurstOfPhotosIsTakenInWhole) {
  const QString folder = program.MakeFolder("album", {"a.jpg"});
  Play(folder, 600000);
  QStringList expected{"a.jpg"};
  for (int i = 0; i < 30; ++i) {
    const QString name = QString("burst%1.jpg").arg(i, 2, 10, QChar('0'));
    WritePicture(folder + "/" + name, QColor(100, 100, i * 8));
    expected << name;
  }
  EXPECT_TRUE(WaitUntil([&] { return form->Playlist().Pictures() == expected; }, kListedMs));
  EXPECT_EQ(form->Playlist().LoadedImage(), "burst00.jpg") << "the first photo added comes next";
}

}  // namespace
}  // namespace app_test
