// Settings the window starts with: remembered from the last run (a settings
// file in a temporary configuration folder) or given on the command line,
// applied through the settings panel, and handed back at the end of a run.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>

#include "app/color_conversion.h"
#include "app/radio_group.h"
#include "app/settings_store.h"
#include "app/up_down.h"
#include "app_fixture.h"
#include "view/vantrel.h"

namespace app_test {
namespace {

class StartSettings : public AppTest {
 protected:
  // Ends the window's run the way the program does: its settings go to the
  // file; then a new window starts from what the file holds.
  void Restart() {
    const app::TSettingsStore store(config.filePath("Project22/Project22.ini"));
    ASSERT_EQ(store.Save(form->RememberedSettings()), "");
    form.reset();
    const app::TSettingsStore::TLoaded loaded = store.Load();
    ASSERT_TRUE(loaded.Problems.isEmpty()) << loaded.Problems.join('\n').toStdString();
    Open({}, loaded.Settings);
  }
  QTemporaryDir config;
};

TEST_F(StartSettings, EveryPanelChoiceAndTheFolderSurviveARestart) {
  const QString other = program.MakeFolder("other", {"x.jpg", "y.png"});
  program.MakeFolder("back", {"wall.png"});
  Open();
  form->rgStyleControl->SetItemIndex(1);
  form->udProgressStep->SetPosition(7);
  form->udProgressDelay->SetPosition(45);
  form->ckExactTiming->click();
  form->ckThreaded->click();
  form->ckCenter->click();
  form->ckStretch->click();
  form->ckProportional->click();
  form->cbBackgroundMode->setCurrentIndex(3);
  form->cbBackgroundModeChange(form->cbBackgroundMode);
  dialogs.PictureAnswers.push_back(program.File("back/wall.png"));
  form->btnChangeBackground->click();
  form->udFrameWidth->SetPosition(6);
  dialogs.ColorAnswers.push_back(QColor(200, 100, 50));
  form->btnChangeFrameColor->click();
  form->tbDisplayInterval->setValue(6500);
  form->PlayFolder(other);
  form->move(40, 30);

  Restart();
  EXPECT_EQ(form->rgStyleControl->ItemIndex(), 1);
  EXPECT_EQ(form->Vantrel->Step(), 7);
  EXPECT_EQ(form->edtProgressStep->text(), "7");
  EXPECT_EQ(form->Vantrel->Delay(), 45);
  EXPECT_FALSE(form->Vantrel->ExactTiming());
  EXPECT_FALSE(form->ckExactTiming->isChecked());
  EXPECT_FALSE(form->Vantrel->Threaded());
  EXPECT_FALSE(form->Vantrel->Center());
  EXPECT_TRUE(form->Vantrel->Stretch());
  EXPECT_FALSE(form->Vantrel->Proportional());
  EXPECT_EQ(form->cbBackgroundMode->currentIndex(), 3);
  EXPECT_EQ(form->Vantrel->BgMode(), view::bmCentered);
  ASSERT_NE(form->Vantrel->BgPicture().Graphic(), nullptr);
  EXPECT_EQ(form->Vantrel->BgPicture().Width(), 48);  // wall.png, not the 64 x 64 1002.jpg
  EXPECT_EQ(form->Vantrel->FrameWidth(), 6);
  EXPECT_EQ(form->edtFrameWidth->text(), "6");
  EXPECT_EQ(app::ToQColor(form->Vantrel->FrameColor()), QColor(200, 100, 50));
  EXPECT_EQ(form->Timer->interval(), 6500);
  EXPECT_EQ(form->lblDisplayIntervalValue->text(), "[ 6.500 Seconds ]");
  EXPECT_EQ(form->Playlist().PicturesPath(), other);
  EXPECT_EQ(form->Playlist().Pictures(), QStringList({"x.jpg", "y.png"}));
  EXPECT_EQ(form->pos(), QPoint(40, 30));
  EXPECT_TRUE(form->rbProgressAuto->isChecked());
  EXPECT_TRUE(form->Timer->isActive());
  EXPECT_TRUE(dialogs.CallsOf(TDialogCall::Message).empty());
}

TEST_F(StartSettings, NothingRememberedIsTheStartStateAsBefore) {
  Open({}, {});
  EXPECT_EQ(form->lblStyleNo->text(), "[ #0 ]");
  EXPECT_EQ(form->lblDisplayIntervalValue->text(), QString::fromUtf8("[ 3.0 秒 ]"));
  EXPECT_EQ(form->Vantrel->Style(), 0);
  EXPECT_EQ(form->Vantrel->Step(), 3);
  EXPECT_EQ(form->Vantrel->BgMode(), view::bmTiled);
  EXPECT_EQ(form->Playlist().PicturesPath(), program.File("Photos"));
  // The same values written back and read again change nothing either.
  Restart();
  EXPECT_EQ(form->lblStyleNo->text(), "[ #0 ]");
  EXPECT_EQ(form->lblDisplayIntervalValue->text(), QString::fromUtf8("[ 3.0 秒 ]"));
  EXPECT_EQ(form->Vantrel->Delay(), 30);
  EXPECT_TRUE(form->Vantrel->ExactTiming());
  EXPECT_EQ(form->Vantrel->FrameColor(), 0x808080u);
}

TEST_F(StartSettings, PausedPlayIsRememberedAndStartsPaused) {
  Open();
  form->rbProgressManual->setChecked(true);
  Restart();
  EXPECT_TRUE(form->rbProgressManual->isChecked());
  EXPECT_TRUE(form->Vantrel->Manual());
  EXPECT_TRUE(form->tbProgress->isEnabled());
  EXPECT_FALSE(form->edtProgressStep->isEnabled());
  EXPECT_FALSE(form->Timer->isActive());
  Pump(200);
  EXPECT_FALSE(form->Timer->isActive());
}

TEST_F(StartSettings, AFolderThatIsGoneOrACommandLineFolderWinsOverTheRememberedOne) {
  app::TStartSettings start;
  start.Folder = program.File("gone");
  Open({}, start);
  EXPECT_EQ(form->Playlist().PicturesPath(), program.File("Photos"));
  EXPECT_TRUE(dialogs.Calls.empty());

  const QString other = program.MakeFolder("other", {"x.jpg"});
  start.Folder = other;
  Open({program.File("Photos")}, start);
  EXPECT_EQ(form->Playlist().PicturesPath(), program.File("Photos"));
}

TEST_F(StartSettings, ABackgroundPictureThatIsGoneLeavesTheDefaultAndOpensNoMessage) {
  app::TStartSettings start;
  start.BackgroundPicture = program.File("gone.png");
  start.FrameWidth = 4;
  Open({}, start);
  ASSERT_NE(form->Vantrel->BgPicture().Graphic(), nullptr);
  EXPECT_EQ(form->Vantrel->BgPicture().Width(), 64);  // 1002.jpg
  EXPECT_EQ(form->Vantrel->FrameWidth(), 4);  // the rest applies all the same
  EXPECT_TRUE(dialogs.Calls.empty());
  EXPECT_FALSE(form->RememberedSettings().BackgroundPicture.has_value());
}

TEST_F(StartSettings, TheFirstStyleIsTheStyleOfTheFirstTransitionInEachOrder) {
  const struct {
    int order, style;
    std::vector<int> expected;  // the styles of the first transitions
  } cases[] = {{0, 5, {5, 6, 7}}, {0, 1, {1, 2}}, {0, 172, {172, 1}}, {2, 40, {40, 40}}, {2, 1, {1, 1}}};
  for (const auto& c : cases) {
    app::TStartSettings start;
    start.StyleOrder = static_cast<video_export::StyleOrder>(c.order);
    start.FirstStyle = c.style;
    Open({}, start);
    form->Timer->stop();
    for (int expected : c.expected) {
      Tick();
      EXPECT_EQ(form->Vantrel->Style(), expected) << "order " << c.order << " style " << c.style;
      EXPECT_EQ(form->lblStyleNo->text(), QString("[ #%1 ]").arg(expected));
    }
  }
}

TEST_F(StartSettings, FullScreenStartsOnceTheWindowIsShown) {
  app::TStartSettings start;
  start.FullScreen = true;
  Open({}, start);
  EXPECT_FALSE(form->IsFullScreen());
  form->show();
  ASSERT_TRUE(WaitUntil([&] { return form->IsFullScreen(); }, 2000));
  EXPECT_EQ(form->Vantrel->BgMode(), view::bmNone);
  EXPECT_TRUE(form->RememberedSettings().FullScreen.value_or(false));
  form->SetFullScreen(false);
  EXPECT_FALSE(form->RememberedSettings().FullScreen.value_or(true));
}

TEST_F(StartSettings, APositionOffEveryScreenIsNotUsed) {
  app::TStartSettings start;
  start.WindowPosition = QPoint(50000, 50000);
  Open();
  const QPoint centred = form->pos();
  Open({}, start);
  EXPECT_EQ(form->pos(), centred);
}

}  // namespace
}  // namespace app_test
