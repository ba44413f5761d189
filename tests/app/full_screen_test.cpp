// Full screen and back: the view's parent, place, background, frame, hint and
// the pointer's display count.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "app/up_down.h"
#include "app_fixture.h"
#include "view/vantrel.h"

namespace app_test {
namespace {

class FullScreen : public AppTest {};

TEST_F(FullScreen, DoubleClickEntersAndEscapeReturnsWithThePanelsSettings) {
  Open();
  form->show();
  view::TVantrel& v = *form->Vantrel;
  form->cbBackgroundMode->setCurrentIndex(2);
  emit form->cbBackgroundMode->activated(2);
  form->udFrameWidth->SetPosition(4);

  QTest::mouseDClick(&v, Qt::LeftButton);
  ASSERT_TRUE(form->IsFullScreen());
  EXPECT_TRUE(v.isWindow());
  EXPECT_EQ(v.parentWidget(), form->Panel1);  // still the panel's for key preview
  EXPECT_TRUE(v.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(v.geometry(), QGuiApplication::primaryScreen()->geometry());
  EXPECT_EQ(v.BgMode(), view::bmNone);
  EXPECT_EQ(v.FrameWidth(), 0);
  EXPECT_FALSE(form->VantrelShowHint());
  EXPECT_TRUE(v.toolTip().isEmpty());
  EXPECT_EQ(form->CursorDisplay().Count(), -1);

  // The panel changes nothing on screen while the view is full screen.
  form->cbBackgroundMode->setCurrentIndex(3);
  emit form->cbBackgroundMode->activated(3);
  form->udFrameWidth->SetPosition(6);
  EXPECT_EQ(v.BgMode(), view::bmNone);
  EXPECT_EQ(v.FrameWidth(), 0);

  QTest::keyClick(&v, Qt::Key_Escape);
  ASSERT_FALSE(form->IsFullScreen());
  EXPECT_FALSE(v.isWindow());
  EXPECT_EQ(v.parentWidget(), form->Panel1);
  EXPECT_EQ(v.geometry(), QRect(1, 1, 992, 682));
  EXPECT_EQ(v.BgMode(), view::bmCentered);
  EXPECT_EQ(v.FrameWidth(), 6);
  EXPECT_EQ(v.toolTip(), "右键设置播放器，双击照片全屏播放，ESC返回,");
  EXPECT_EQ(form->CursorDisplay().Count(), 0);
}

TEST_F(FullScreen, RepeatedRequestsKeepThePointerCountBalanced) {
  Open();
  form->show();
  form->SetFullScreen(true);
  form->SetFullScreen(true);
  EXPECT_EQ(form->CursorDisplay().Count(), -1);
  form->N2Click(nullptr);  // the menu item returns
  EXPECT_FALSE(form->IsFullScreen());
  form->SetFullScreen(false);
  EXPECT_EQ(form->CursorDisplay().Count(), 0);
  form->N2Click(nullptr);
  form->VantrelDblClick(nullptr);
  EXPECT_EQ(form->CursorDisplay().Count(), 0);
}

TEST_F(FullScreen, EscapeIsUsedUpOnlyInFullScreen) {
  Open();
  form->show();
  int key = Qt::Key_Escape;
  form->FormKeyDown(form.get(), key, Qt::NoModifier);
  EXPECT_EQ(key, Qt::Key_Escape);  // in the window it goes on to the focused control
  form->SetFullScreen(true);
  key = Qt::Key_A;
  form->FormKeyDown(form.get(), key, Qt::NoModifier);
  EXPECT_EQ(key, Qt::Key_A);
  key = Qt::Key_Escape;
  form->FormKeyDown(form.get(), key, Qt::NoModifier);
  EXPECT_EQ(key, 0);
  EXPECT_FALSE(form->IsFullScreen());
}

TEST_F(FullScreen, EscapeReachesTheFocusedControlInTheWindow) {
  Open();
  form->show();
  int escapes = 0;
  struct Recorder : QObject {
    int* count;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) ++*count;
      return false;
    }
  } recorder;
  recorder.count = &escapes;
  form->edtProgressStep->installEventFilter(&recorder);
  QTest::keyClick(form->edtProgressStep, Qt::Key_Escape);
  EXPECT_EQ(escapes, 1);
}

TEST_F(FullScreen, RunningTransitionGoesOnAtTheNewSize) {
  Open();
  form->show();
  form->Timer->stop();
  form->Vantrel->SetStep(2);
  Tick();
  ASSERT_TRUE(form->Vantrel->Busy());
  form->SetFullScreen(true);
  EXPECT_TRUE(form->Vantrel->Busy());
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(form->Vantrel->Progress(), 100);
  EXPECT_EQ(form->Vantrel->ClientWidth(), QGuiApplication::primaryScreen()->geometry().width());
  form->SetFullScreen(false);
  EXPECT_EQ(form->Vantrel->ClientWidth(), 992);
}

}  // namespace
}  // namespace app_test
