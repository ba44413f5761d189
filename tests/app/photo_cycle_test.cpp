// The photo cycle: style order, photo choice, the display timer and failures.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QSlider>
#include <QTimer>

#include "app/radio_group.h"
#include "app/status_bar.h"
#include "app_fixture.h"
#include "platform/raster/random.h"
#include "view/vantrel.h"

namespace app_test {
namespace {

class PhotoCycle : public AppTest {};

TEST_F(PhotoCycle, FirstTickBringsTheFirstPhotoWithStyleOneAndRestartsTheTimerAfterwards) {
  Open();
  MakeFast(40);
  const QString preloaded = form->Playlist().LoadedImage();
  ASSERT_TRUE(WaitUntil([&] { return form->Vantrel->Busy(); }));
  EXPECT_FALSE(form->Timer->isActive());  // off while the photo comes in
  EXPECT_EQ(form->Vantrel->Style(), 1);
  EXPECT_EQ(form->lblStyleNo->text(), "[ #1 ]");
  EXPECT_EQ(form->cbStyle->toolTip(), QString::fromStdString(form->Vantrel->StyleName()));
  EXPECT_EQ(form->Playlist().ShowingImage(), preloaded);
  EXPECT_EQ(form->StatusBar->PanelText(0), "Showing: " + preloaded);
  EXPECT_NE(form->Playlist().LoadedImage(), preloaded);  // the next one is preloaded at once
  EXPECT_EQ(form->StatusBar->PanelText(1), "Next: " + form->Playlist().LoadedImage());
  ASSERT_TRUE(WaitIdle());
  EXPECT_TRUE(WaitUntil([&] { return form->Timer->isActive(); }));
  EXPECT_EQ(form->tbProgress->value(), 100);  // it followed the progress
  EXPECT_TRUE(dialogs.Calls.empty());
}

TEST_F(PhotoCycle, CatalogueOrderRunsFromOneTo172AndWrapsToOne) {
  Open();
  form->Timer->stop();
  QStringList captions;
  for (int i = 0; i < 173; ++i) {
    Tick();  // a running transition is stopped by the next tick
    captions << form->lblStyleNo->text();
  }
  ASSERT_EQ(captions.size(), 173);
  for (int i = 0; i < 172; ++i) ASSERT_EQ(captions[i], QString("[ #%1 ]").arg(i + 1));
  EXPECT_EQ(captions[172], "[ #1 ]");
  EXPECT_TRUE(dialogs.Calls.empty());
}

TEST_F(PhotoCycle, RandomStyleIsTheSharedGeneratorsNextDraw) {
  Open();
  form->Timer->stop();
  form->rgStyleControl->SetItemIndex(1);
  for (uint32_t seed : {1u, 77u, 123456789u}) {
    raster::RandSeed = seed;
    const int expected = raster::DrawFromSeed(raster::NextSeed(seed), 172) + 1;
    Tick();
    EXPECT_EQ(form->Vantrel->Style(), expected);
    EXPECT_EQ(form->cbStyle->currentIndex(), expected - 1);
  }
}

TEST_F(PhotoCycle, NoEffectKeepsStyleZeroAndThePhotoArrivesAtTheEnd) {
  Open();
  MakeFast();
  form->rgStyleControl->SetItemIndex(2);
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(WaitUntil([&] { return form->Vantrel->Busy(); }));
    EXPECT_EQ(form->Vantrel->Style(), 0);
    ASSERT_TRUE(WaitIdle());
  }
  EXPECT_EQ(form->lblStyleNo->text(), "[ #0 ]");
}

TEST_F(PhotoCycle, OnePhotoIsShownAgainEveryTime) {
  program.MakeFolder("one", {"only.jpg"});
  Open({program.File("one")});
  form->Timer->stop();
  for (int i = 0; i < 3; ++i) {
    const uint32_t before = raster::RandSeed;
    Tick();
    EXPECT_EQ(form->Playlist().ShowingImage(), "only.jpg");
    EXPECT_EQ(form->Playlist().LoadedImage(), "only.jpg");
    EXPECT_NE(raster::RandSeed.load(), before);  // one draw is made all the same
  }
}

TEST_F(PhotoCycle, TwoPhotosAlternateStrictly) {
  program.MakeFolder("two", {"p.jpg", "q.jpg"});
  Open({program.File("two")});
  form->Timer->stop();
  QString last;
  for (int i = 0; i < 8; ++i) {
    Tick();
    ASSERT_NE(form->Playlist().ShowingImage(), last);
    ASSERT_NE(form->Playlist().LoadedImage(), form->Playlist().ShowingImage());
    last = form->Playlist().ShowingImage();
  }
}

// Photos removed while listed: the one that fails to preload is reported,
// leaves the list, and another is preloaded; the transition under way goes
// on and the display timer starts again after it.
TEST_F(PhotoCycle, PhotoRemovedWhileListedIsReportedDroppedAndTheShowGoesOn) {
  Open();
  form->Timer->stop();
  Tick();  // a transition to the preloaded photo; another one is preloaded
  ASSERT_TRUE(WaitIdle());
  const QString coming = form->Playlist().LoadedImage();  // held by the view already
  for (const QString& name : form->Playlist().Pictures()) {
    if (name != coming) QFile::remove(program.File("Photos/" + name));
  }
  dialogs.Forget();

  Tick();  // OnStart preloads: the two removed photos fail, the one left loads
  EXPECT_TRUE(form->Vantrel->Busy()) << "the transition was abandoned";
  EXPECT_EQ(form->Playlist().ShowingImage(), coming);
  ASSERT_TRUE(WaitForPreload());
  EXPECT_EQ(form->Playlist().Pictures(), QStringList{coming});
  EXPECT_EQ(form->Playlist().LoadedImage(), coming);
  EXPECT_EQ(form->StatusBar->PanelText(2), "1 Image(s)");
  ASSERT_TRUE(WaitUntil([&] { return !dialogs.Calls.empty(); }));
  ASSERT_EQ(dialogs.MessageTexts().size(), 1) << "one message for one preload";
  EXPECT_TRUE(dialogs.MessageTexts()[0].contains(".jpg"));
  EXPECT_EQ(dialogs.Calls[0].icon, app::TMessageIcon::Error);
  ASSERT_TRUE(WaitIdle());
  EXPECT_TRUE(form->Timer->isActive()) << "the show stopped";
}

// When no photo of the folder loads, the show rests with the message; the
// folder can be chosen again once its files are mended.
TEST_F(PhotoCycle, WhenNoPhotoLoadsTheShowRestsWithTheMessage) {
  Open();
  form->Timer->stop();
  for (const QString& name : form->Playlist().Pictures()) Touch(program.File("Photos/" + name));
  dialogs.Forget();
  Tick();  // the preloaded photo comes in; nothing else loads
  ASSERT_TRUE(WaitUntil([&] { return !dialogs.Calls.empty(); }));
  EXPECT_EQ(dialogs.MessageTexts().size(), 1);
  EXPECT_TRUE(form->Playlist().Pictures().isEmpty());
  EXPECT_TRUE(form->Playlist().LoadedImage().isEmpty());
  EXPECT_EQ(form->StatusBar->PanelText(1), "Next: ");
  ASSERT_TRUE(WaitIdle());
  Pump(50);
  EXPECT_FALSE(form->Timer->isActive());

  WritePicture(program.File("Photos/a.jpg"), Qt::red);
  form->PlayFolder(program.File("Photos"));
  ASSERT_TRUE(WaitForPreload());  // the two still damaged are tried and dropped on the way
  EXPECT_EQ(form->Playlist().LoadedImage(), "a.jpg");
  EXPECT_TRUE(form->Playlist().Pictures().contains("a.jpg"));
}

TEST_F(PhotoCycle, DisplayIntervalTrackBarSetsTheTimerAndItsCaption) {
  Open();
  EXPECT_EQ(form->lblDisplayIntervalValue->text(), "[ 3.0 秒 ]");
  Pump(400);  // the first interval of 3 s is counting
  form->tbDisplayInterval->setValue(1000);
  EXPECT_EQ(form->lblDisplayIntervalValue->text(), "[ 1.000 Seconds ]");
  EXPECT_TRUE(form->Timer->isActive());
  EXPECT_GT(form->Timer->remainingTime(), 900);  // the count started anew (else about 600 would remain)
  form->tbDisplayInterval->setValue(500);
  EXPECT_EQ(form->Timer->interval(), 500);
  EXPECT_EQ(form->lblDisplayIntervalValue->text(), "[ 0.500 Seconds ]");
}

// Playing a folder: what it lists and what it keeps.
class ImageList : public AppTest {};

TEST_F(ImageList, ListsPictureTypesWhateverTheirCaseAndLeavesOthersOut) {
  Open();
  const QString folder = program.MakeFolder("mixed", {"B.JPG", "a.Png", "c.jpeg", "d.bmp", "e.tif"});
  Touch(folder + "/f.gif");
  Touch(folder + "/g.jpe");
  Touch(folder + "/notes.txt");
  WritePicture(folder + "/.hidden.jpg", Qt::red);
  QDir(folder).mkdir("album.jpg");
  form->PlayFolder(folder);
  EXPECT_EQ(form->Playlist().Pictures(), (QStringList{"a.Png", "B.JPG", "c.jpeg", "d.bmp", "e.tif"}));
  EXPECT_EQ(form->StatusBar->PanelText(2), "5 Image(s)");
}

TEST_F(ImageList, SamePathDoesNothingTrailingSeparatorListsAgain) {
  Open();
  const QString photos = program.File("Photos");
  WritePicture(photos + "/d.jpg", Qt::blue);
  form->PlayFolder(photos);  // spelled as PicturesPath: nothing
  EXPECT_EQ(form->Playlist().Pictures().size(), 3);

  form->PlayFolder(photos + "/");
  EXPECT_EQ(form->Playlist().Pictures().size(), 4);
  EXPECT_EQ(form->Playlist().PicturesPath(), photos);
  EXPECT_EQ(form->StatusBar->PanelText(3), "Folder: " + photos + "/");

  form->PlayFolder(photos + "//");  // only one separator is removed
  EXPECT_EQ(form->Playlist().PicturesPath(), photos + "/");
  EXPECT_FALSE(form->Vantrel->Empty());  // "folder//name" loads all the same
  EXPECT_TRUE(dialogs.Calls.empty());
}

TEST_F(ImageList, FolderWithoutPicturesWarnsAndKeepsTheOldList) {
  Open();
  const QString before = form->Playlist().LoadedImage();
  const QString gifs = program.MakeFolder("gifs");
  Touch(gifs + "/only.gif");
  for (const QString& folder : {gifs, program.MakeFolder("empty")}) {
    dialogs.Forget();
    form->PlayFolder(folder);
    ASSERT_EQ(dialogs.MessageTexts(), QStringList{folder + "\n找不到包含JPG格式的文件."});
    EXPECT_EQ(dialogs.Calls[0].icon, app::TMessageIcon::Warning);
    EXPECT_EQ(form->Playlist().PicturesPath(), program.File("Photos"));
    EXPECT_EQ(form->Playlist().Pictures().size(), 3);
    EXPECT_EQ(form->Playlist().LoadedImage(), before);
    EXPECT_EQ(form->StatusBar->PanelText(3), "Folder: " + program.File("Photos"));
  }
}

TEST_F(ImageList, MissingFolderRaisesAndChangesNothing) {
  Open();
  EXPECT_THROW(form->PlayFolder(program.File("gone")), std::runtime_error);
  EXPECT_EQ(form->Playlist().PicturesPath(), program.File("Photos"));
  EXPECT_EQ(form->Playlist().Pictures().size(), 3);
}

TEST_F(ImageList, RootFolderIsStoredWithoutItsSeparatorAndLoadsFromTheRoot) {
  const QString name = QString("vantrel-app-test-%1.png").arg(QCoreApplication::applicationPid());
  const QString path = "/" + name;
  QImage(4, 4, QImage::Format_RGB32).save(path, "PNG");
  if (!QFile::exists(path)) GTEST_SKIP() << "the root folder is not writable here";
  struct Cleanup {
    QString path;
    ~Cleanup() { QFile::remove(path); }
  } cleanup{path};

  Open();
  form->PlayFolder("/");
  EXPECT_EQ(form->Playlist().PicturesPath(), "");
  EXPECT_TRUE(form->Playlist().Pictures().contains(name));
  EXPECT_EQ(form->StatusBar->PanelText(3), "Folder: /");
  if (form->Playlist().Pictures().size() == 1) {  // nothing else of ours in the root: it was loaded as "" + "/" + name
    EXPECT_EQ(form->Playlist().LoadedImage(), name);
    ASSERT_TRUE(WaitForPreload());
    EXPECT_EQ(form->Vantrel->Picture().Width(), 4);
  }
}

}  // namespace
}  // namespace app_test
