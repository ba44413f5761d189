// The folder playing stays current: photos added to it are taken into the
// list and shown soon, photos removed from it are dropped, and the show goes
// on whatever is removed.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
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
  bool Listed(const QString& name) const { return probe->Pictures().contains(name); }
  // Time enough for a change to settle and be listed.
  static constexpr int kListedMs = app::TFolderWatch::kSettleMs + 2000;
};

TEST_F(FolderWatch, APhotoAddedIsShownWithinTwoCycles) {
  const QString folder = program.MakeFolder("album", {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg", "f.jpg"});
  Play(folder, 200);
  ASSERT_TRUE(WaitUntil([&] { return probe->ShownHistory().size() >= 2; }));
  for (const char* added : {"new1.jpg", "sub-folder-less name.png"}) {
    WritePicture(folder + "/" + added, QColor(200, 10, 10));
    ASSERT_TRUE(WaitUntil([&] { return Listed(added); }, kListedMs)) << added;
    const size_t cyclesBefore = probe->ShownHistory().size();
    ASSERT_TRUE(WaitUntil([&] { return probe->ShowingImage() == added; }, 5000)) << added << " never shown";
    EXPECT_LE(probe->ShownHistory().size() - cyclesBefore, 2u) << added;
    EXPECT_EQ(probe->Pictures().size(), 7u + (QString(added) == "new1.jpg" ? 0 : 1));
  }
  EXPECT_TRUE(dialogs.Calls.empty());
}

TEST_F(FolderWatch, PhotosRemovedAreDroppedAndTheShowGoesOn) {
  const QString folder = program.MakeFolder("album", {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"});
  Play(folder, 150);
  ASSERT_TRUE(WaitUntil([&] { return !probe->ShowingImage().isEmpty() && !form->Vantrel->Busy(); }));
  // The photo on screen, then the one preloaded, then one never shown.
  QStringList removed;
  for (int round = 0; round < 3; ++round) {
    const QString name = round == 0   ? probe->ShowingImage()
                         : round == 1 ? probe->LoadedImage()
                                      : probe->Pictures().constLast();
    ASSERT_FALSE(name.isEmpty());
    ASSERT_TRUE(QFile::remove(folder + "/" + name)) << name.toStdString();
    removed << name;
    ASSERT_TRUE(WaitUntil([&] { return !Listed(name); }, kListedMs)) << name.toStdString() << " still listed";
    EXPECT_NE(probe->LoadedImage(), name) << "a removed photo stays preloaded";
    const size_t shown = probe->ShownHistory().size();
    EXPECT_TRUE(WaitUntil([&] { return probe->ShownHistory().size() >= shown + 2; }, 5000))
        << "the show stopped after " << name.toStdString() << " was removed";
    for (const QString& inHistory : probe->ShownHistory()) EXPECT_NE(inHistory, name);
  }
  EXPECT_EQ(probe->Pictures().size(), 2u);
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
  ASSERT_TRUE(WaitUntil([&] { return probe->ShownHistory().size() >= 1; }));
  ASSERT_TRUE(QFile::remove(folder + "/a.jpg"));
  ASSERT_TRUE(QFile::remove(folder + "/b.jpg"));
  ASSERT_TRUE(WaitUntil([&] { return probe->Pictures().isEmpty(); }, kListedMs));
  EXPECT_TRUE(WaitIdle());
  Pump(300);
  EXPECT_FALSE(form->Timer->isActive()) << "nothing left to play";
  WritePicture(folder + "/back.jpg", QColor(10, 200, 10));
  EXPECT_TRUE(WaitUntil([&] { return probe->ShowingImage() == "back.jpg"; }, kListedMs + 2000));
}

// A photo copied slowly (a large file from a slow disk) is taken in once it
// is whole: it is neither reported as damaged nor dropped half-written.
TEST_F(FolderWatch, APhotoStillBeingWrittenIsTakenInWhenWhole) {
  const QString folder = program.MakeFolder("album", {"a.jpg", "b.jpg"});
  Play(folder, 150);
  ASSERT_TRUE(WaitUntil([&] { return probe->ShownHistory().size() >= 1; }));
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
  EXPECT_TRUE(WaitUntil([&] { return probe->ShowingImage() == "slow.jpg"; }, kListedMs + 2000));
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
  EXPECT_EQ(probe->Pictures(), (QStringList{"2025/new/v.jpg", "a.jpg"}));
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
  EXPECT_TRUE(WaitUntil([&] { return probe->Pictures() == expected; }, kListedMs));
  EXPECT_EQ(probe->LoadedImage(), "burst00.jpg") << "the first photo added comes next";
}

}  // namespace
}  // namespace app_test
