// The settings panel: each control writes its property of the view.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <functional>
#include <thread>

#include "app/up_down.h"
#include "app_fixture.h"
#include "view/vantrel.h"

namespace app_test {
namespace {

class SettingsPanel : public AppTest {};

void Retype(QLineEdit* box, const QString& text) {
  box->clear();
  QTest::keyClicks(box, text);
}

TEST_F(SettingsPanel, StepBoxTakesOnlyWholeNumbersWithinRangeAndKeepsWhatWasTyped) {
  Open();
  form->Vantrel->SetStep(9);
  Retype(form->edtProgressStep, "30");  // "3" is taken, "30" is out of range
  EXPECT_EQ(form->Vantrel->Step(), 3);
  EXPECT_EQ(form->edtProgressStep->text(), "30");
  Retype(form->edtProgressStep, "12");
  EXPECT_EQ(form->Vantrel->Step(), 12);
  Retype(form->edtProgressStep, "7x");
  EXPECT_EQ(form->Vantrel->Step(), 7);
  EXPECT_EQ(form->edtProgressStep->text(), "7x");
  Retype(form->edtProgressStep, "0");
  EXPECT_EQ(form->udProgressStep->Position(), 7);
}

TEST_F(SettingsPanel, DelayArrowsStepByFiveUpTo1000WithSeparatorAndDownToFive) {
  Open();
  QStringList texts;
  for (int i = 0; i < 200; ++i) {
    form->udProgressDelay->Click(+1);
    texts << form->edtProgressDelay->text();
  }
  EXPECT_EQ(texts.first(), "35");
  EXPECT_EQ(texts[1], "40");
  EXPECT_EQ(texts.indexOf("995"), (995 - 35) / 5);
  EXPECT_EQ(texts.last(), "1,000");
  EXPECT_EQ(form->Vantrel->Delay(), 1000);
  QTest::keyClick(form->edtProgressDelay, Qt::Key_Down);
  EXPECT_EQ(form->edtProgressDelay->text(), "995");
  for (int i = 0; i < 300; ++i) form->udProgressDelay->Click(-1);
  EXPECT_EQ(form->edtProgressDelay->text(), "5");
  EXPECT_EQ(form->Vantrel->Delay(), 5);
}

TEST_F(SettingsPanel, FrameWidthRunsFromZeroToTen) {
  Open();
  form->udFrameWidth->SetPosition(0);
  EXPECT_EQ(form->Vantrel->FrameWidth(), 0);
  for (int i = 0; i < 12; ++i) form->udFrameWidth->Click(+1);
  EXPECT_EQ(form->edtFrameWidth->text(), "10");
  EXPECT_EQ(form->Vantrel->FrameWidth(), 10);
  Retype(form->edtFrameWidth, "11");  // "1" is taken, "11" is out of range
  EXPECT_EQ(form->Vantrel->FrameWidth(), 1);
}

// A typed value that was not taken stays in the box while it is edited;
// once editing ends the box shows the value in use.
TEST_F(SettingsPanel, NumberBoxShowsTheValueInUseOnceEditingEnds) {
  Open();
  struct TCase {
    const char* name;
    QLineEdit* box;
    QString typed;
    Qt::Key ending;
    QString shown;  // after editing ends
    std::function<int()> used;
    int expected;
  };
  const TCase cases[] = {
      {"frame width, Enter", form->edtFrameWidth, "25", Qt::Key_Return, "2",
       [&] { return form->Vantrel->FrameWidth(); }, 2},
      {"delay, Tab", form->edtProgressDelay, "5000", Qt::Key_Tab, "500", [&] { return int(form->Vantrel->Delay()); },
       500},
      {"step, Enter", form->edtProgressStep, "250", Qt::Key_Enter, "25", [&] { return int(form->Vantrel->Step()); },
       25},
      {"step, not a number", form->edtProgressStep, "9x", Qt::Key_Return, "9",
       [&] { return int(form->Vantrel->Step()); }, 9},
  };
  form->show();  // an active window, so that its boxes have the focus and Tab moves it
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  form->YJSZ->trigger();
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    form->PageControl->setCurrentWidget(c.box->parentWidget()->parentWidget());
    c.box->setFocus();
    Retype(c.box, c.typed);
    EXPECT_EQ(c.box->text(), c.typed);  // while editing, the text typed
    QTest::keyClick(c.box, c.ending);
    EXPECT_EQ(c.box->text(), c.shown);
    EXPECT_EQ(c.used(), c.expected);
  }
}

TEST_F(SettingsPanel, CheckBoxesAndBackgroundModeWriteTheView) {
  Open();
  struct Row {
    QCheckBox* box;
    std::function<bool()> read;
  };
  view::TVantrel& v = *form->Vantrel;
  const Row rows[] = {
      {form->ckExactTiming, [&] { return v.ExactTiming(); }}, {form->ckThreaded, [&] { return v.Threaded(); }},
      {form->ckOverDraw, [&] { return v.OverDraw(); }},       {form->ckCenter, [&] { return v.Center(); }},
      {form->ckStretch, [&] { return v.Stretch(); }},         {form->ckProportional, [&] { return v.Proportional(); }}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.box->objectName().toStdString());
    row.box->toggle();
    EXPECT_EQ(row.read(), row.box->isChecked());
    row.box->toggle();
    EXPECT_EQ(row.read(), row.box->isChecked());
  }
  for (int line = 0; line < 4; ++line) {
    form->cbBackgroundMode->setCurrentIndex(line);
    emit form->cbBackgroundMode->activated(line);
    EXPECT_EQ(v.BgMode(), line);
  }
}

TEST_F(SettingsPanel, MenuItemShowsThePanelOnItsLastPageAndEachOkHidesIt) {
  Open();
  form->YJSZClick(nullptr);
  EXPECT_TRUE(form->PageControl->isVisibleTo(form.get()));
  EXPECT_EQ(form->PageControl->currentWidget(), form->TabSheet3);
  for (QPushButton* ok : {form->Button1, form->Button2, form->Button3}) {
    form->PageControl->show();
    form->PageControl->setCurrentIndex(1);
    ok->click();
    EXPECT_FALSE(form->PageControl->isVisibleTo(form.get()));
  }
  form->YJSZClick(nullptr);
  EXPECT_EQ(form->PageControl->currentWidget(), form->TabSheet2);
}

TEST_F(SettingsPanel, BackgroundPictureDialogLoadsTheChosenFileAndCancelKeepsIt) {
  Open();
  const QString picture = program.File("bg.png");
  WritePicture(picture, Qt::green, 20, 10);
  Touch(program.File("broken.png"));
  dialogs.PictureAnswers = {QString(), picture, program.File("broken.png")};

  form->btnChangeBackground->click();  // cancelled
  EXPECT_EQ(form->Vantrel->BgPicture().Width(), 64);
  const TDialogCall call = dialogs.CallsOf(TDialogCall::OpenPicture).at(0);
  EXPECT_EQ(call.title, "Select Background Image");
  EXPECT_TRUE(call.filters.value(0).contains("*.jpg"));
  EXPECT_TRUE(call.filters.value(0).contains("*.png"));
  EXPECT_GT(call.filters.size(), 5);

  form->btnChangeBackground->click();
  EXPECT_EQ(form->Vantrel->BgPicture().Width(), 20);
  form->btnChangeBackground->click();  // cannot be read: reported, the old one stays
  EXPECT_EQ(form->Vantrel->BgPicture().Width(), 20);
  ASSERT_EQ(dialogs.MessageTexts().size(), 1);
  EXPECT_TRUE(dialogs.MessageTexts()[0].contains("broken.png"));
}

TEST_F(SettingsPanel, FrameColourStartsFromTheViewsAndCancelKeepsIt) {
  Open();
  dialogs.ColorAnswers = {QColor(), QColor(255, 16, 1)};
  form->btnChangeFrameColor->click();
  EXPECT_EQ(form->Vantrel->FrameColor(), 0x808080u);
  form->btnChangeFrameColor->click();
  EXPECT_EQ(form->Vantrel->FrameColor(), 0x0110FFu);  // 0x00BBGGRR
  EXPECT_EQ(dialogs.CallsOf(TDialogCall::ChooseColor).at(0).initialColor, QColor(128, 128, 128));
}

TEST_F(SettingsPanel, ManualPlayWhileRunningFreezesThenCompletesAndAutomaticResumes) {
  Open();
  form->Timer->stop();
  form->Vantrel->SetStep(1);
  form->udProgressDelay->SetPosition(40);
  Tick();
  ASSERT_TRUE(WaitUntil([&] { return form->Vantrel->Progress() >= 5; }));
  form->rbProgressManual->click();
  const int frozen = form->Vantrel->Progress();
  EXPECT_TRUE(form->Vantrel->Busy());
  EXPECT_EQ(form->tbProgress->value(), frozen);
  EXPECT_TRUE(form->tbProgress->isEnabled());
  EXPECT_FALSE(form->edtProgressStep->isEnabled());
  EXPECT_FALSE(form->ckThreaded->isEnabled());
  EXPECT_EQ(form->tbProgress->pageStep(), 1);
  Pump(200);
  EXPECT_EQ(form->Vantrel->Progress(), frozen);
  EXPECT_FALSE(form->Timer->isActive());

  form->tbProgress->setValue(100);
  EXPECT_EQ(form->Vantrel->Progress(), 100);
  Pump(100);
  EXPECT_TRUE(form->Vantrel->Busy());  // complete, but open until automatic play

  form->Timer->setInterval(3000);
  form->rbProgressAuto->click();
  ASSERT_TRUE(WaitIdle());
  EXPECT_TRUE(WaitUntil([&] { return form->Timer->isActive(); }));
  EXPECT_GT(form->Timer->remainingTime(), 2500);  // one display interval from the end
  EXPECT_TRUE(form->edtProgressStep->isEnabled());
  EXPECT_FALSE(form->tbProgress->isEnabled());
}

TEST_F(SettingsPanel, ManualPlayWhileIdlePreparesATransitionAtZeroAndPreloadsTheNext) {
  Open();
  int loads = 0;
  form->Vantrel->SetOnChange([&](view::TCustomVantrel&) { ++loads; });
  form->rbProgressManual->click();
  EXPECT_TRUE(form->Vantrel->Busy());
  EXPECT_EQ(form->Vantrel->Progress(), 0);
  EXPECT_EQ(form->tbProgress->value(), 0);
  EXPECT_TRUE(WaitUntil([&] { return loads == 1; }));  // the next photo is preloaded
  EXPECT_TRUE(form->Playlist().ShowingImage().isEmpty());  // not changed by manual play
  EXPECT_FALSE(form->Timer->isActive());
  form->tbProgress->setValue(60);
  EXPECT_EQ(form->Vantrel->Progress(), 60);
}

TEST_F(SettingsPanel, ManualPlayWithoutPhotosStartsNothing) {
  program.MakeFolder("empty");
  Open({program.File("empty")});
  form->rbProgressManual->click();
  EXPECT_FALSE(form->Vantrel->Busy());
  form->tbProgress->setValue(50);
  EXPECT_FALSE(form->Vantrel->Busy());
}

TEST_F(SettingsPanel, UncheckedThreadedRunsTheNextTransitionOnTheWindowThread) {
  Open();
  MakeFast(3000);
  form->Timer->stop();
  form->ckThreaded->click();
  ASSERT_FALSE(form->Vantrel->Threaded());
  int progressEvents = 0;
  QTimer counter;  // the window stays responsive between the steps
  QObject::connect(&counter, &QTimer::timeout, [&] { ++progressEvents; });
  counter.start(1);
  Tick();  // returns when the transition has ended
  EXPECT_FALSE(form->Vantrel->Busy());
  EXPECT_EQ(form->tbProgress->value(), 100);
  EXPECT_GT(progressEvents, 0);
  EXPECT_TRUE(form->Timer->isActive());
}

TEST_F(SettingsPanel, ThreadedSwitchedOffDuringATransitionLetsItFinishSafely) {
  Open();
  form->Timer->stop();
  form->Vantrel->SetStep(2);
  Tick();
  ASSERT_TRUE(form->Vantrel->Busy());
  form->ckThreaded->click();
  EXPECT_FALSE(form->Vantrel->Threaded());
  ASSERT_TRUE(WaitIdle());
  EXPECT_TRUE(WaitUntil([&] { return form->tbProgress->value() == 100; }));
  EXPECT_TRUE(WaitUntil([&] { return form->Timer->isActive(); }));
  EXPECT_TRUE(dialogs.Calls.empty());
}

TEST_F(SettingsPanel, ProgressReportedFromAnotherThreadMovesTheTrackBarOnTheWindowThread) {
  Open();
  form->rbProgressManual->click();
  form->Vantrel->SetProgress(40);
  form->tbProgress->blockSignals(true);
  form->tbProgress->setValue(0);
  form->tbProgress->blockSignals(false);
  std::thread timerThread([&] { form->VantrelProgress(form->Vantrel); });
  timerThread.join();
  EXPECT_EQ(form->tbProgress->value(), 0);  // not touched from the other thread
  EXPECT_TRUE(WaitUntil([&] { return form->tbProgress->value() == 40; }));
}

}  // namespace
}  // namespace app_test
