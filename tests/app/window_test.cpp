// The window's own behaviour: shape, exit question, closing, theme, menu.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTest>
#include <QToolButton>

#include "app/theme.h"
#include "app/up_down.h"
#include "app/window_placement.h"
#include "app/window_shape.h"
#include "app_fixture.h"
#include "view/vantrel.h"

namespace app_test {
namespace {

class Window : public AppTest {};

struct TPlacementCase {
  const char* name;
  QRect screen;  // the screen's available area
  QPoint wanted;  // a remembered position; null: placed at start
  QPoint expected;  // the window's top-left
};

// The 1200 x 850 window with its exit button at (1104, 389) 70 x 67.
TEST(WindowPlacement, KeepsTheTopEdgeAndTheExitButtonOnScreen) {
  const QSize window(1200, 850);
  const QRect exitButton(1104, 389, 70, 67);
  const TPlacementCase cases[] = {
      {"large screen: centred", {0, 0, 1920, 1080}, {}, {360, 115}},
      {"exactly the window's size", {0, 0, 1200, 850}, {}, {0, 0}},
      {"1024 x 768: top on screen, left as far as the exit button needs", {0, 0, 1024, 768}, {}, {-150, 0}},
      {"1280 x 720: whole width, top on screen", {0, 0, 1280, 720}, {}, {40, 0}},
      {"second screen to the right, with a panel on top", {1920, 30, 1366, 738}, {}, {1920 + 83, 30}},
      {"remembered on screen: kept", {0, 0, 1920, 1080}, {100, 50}, {100, 50}},
      {"remembered hanging off the right: back on", {0, 0, 1920, 1080}, {1500, 50}, {720, 50}},
      {"remembered above the top: top edge back on", {0, 0, 1920, 1080}, {100, -300}, {100, 0}},
      {"remembered off the bottom-left of a small screen", {0, 0, 1024, 768}, {-400, 500}, {-150, 0}},
  };
  for (const TPlacementCase& c : cases) {
    const QPoint placed = c.wanted.isNull() ? app::PlaceWindow(window, c.screen, exitButton)
                                            : app::KeepReachable(c.wanted, window, c.screen, exitButton);
    EXPECT_EQ(placed, c.expected) << c.name;
    const QRect exitOnScreen = exitButton.translated(placed);
    EXPECT_TRUE(c.screen.contains(exitOnScreen)) << c.name;
    EXPECT_GE(placed.y(), c.screen.top()) << c.name;
  }
}

// The width a one-line box gives its text: its contents rectangle less its
// text margins and the two-pixel margin a line edit keeps on each side.
int TextRoom(const QLineEdit* box) {
  QStyleOptionFrame option;
  option.initFrom(box);
  option.rect = box->rect();
  option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
  const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
  return contents.marginsRemoved(box->textMargins()).width() - 2 * 2;
}

// Applies the program's theme for one test and takes it off again.
class ThemedWindow : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    before_ = application().styleSheet();
    ASSERT_TRUE(app::ApplyTheme(application(), app::kThemeName, dialogs));
  }
  void TearDown() override {
    application().setStyleSheet(before_);
    AppTest::TearDown();
  }
  static QApplication& application() { return *qobject_cast<QApplication*>(QCoreApplication::instance()); }

 private:
  QString before_;
};

TEST_F(ThemedWindow, NumberBoxesShowTheirLargestValueWhole) {
  Open();
  form->show();
  for (app::TUpDown* upDown : {form->udProgressStep, form->udProgressDelay, form->udFrameWidth}) {
    upDown->SetPosition(upDown->Max());  // "25", "1,000", "10"
  }
  for (const QLineEdit* box : {form->edtProgressStep, form->edtProgressDelay, form->edtFrameWidth}) {
    EXPECT_LE(box->fontMetrics().horizontalAdvance(box->text()), TextRoom(box))
        << box->objectName().toStdString() << " cuts off \"" << box->text().toStdString() << "\"";
  }
}

// Without a window manager a dialog gets no frame: its own edge keeps it
// apart from the panel of the same colour behind it.
TEST_F(ThemedWindow, DialogsHaveAVisibleEdge) {
  QMessageBox question(QMessageBox::NoIcon, "t", "question", QMessageBox::Yes | QMessageBox::No);
  question.resize(200, 100);
  const QImage shot = question.grab().toImage();
  const QColor edge = shot.pixelColor(0, shot.height() / 2), inside = shot.pixelColor(5, shot.height() / 2);
  EXPECT_GT(qGray(edge.rgb()), qGray(inside.rgb()) + 60)
      << "edge " << edge.name().toStdString() << ", inside " << inside.name().toStdString();
}

TEST_F(ThemedWindow, DropDownListsShowTheirArrow) {
  Open();
  form->show();
  QComboBox* list = form->cbBackgroundMode;
  const QImage shot = list->grab().toImage();
  // The arrow is the only light thing in the green button at the right end.
  int light = 0;
  for (int y = 0; y < shot.height(); ++y) {
    for (int x = shot.width() - 16; x < shot.width(); ++x) light += qGray(shot.pixel(x, y)) > 200 ? 1 : 0;
  }
  EXPECT_GE(light, 10) << "no arrow in the drop-down button";
}

TEST_F(Window, ShapeIsTheRoundedRectangleOfTheDevice) {
  const QRegion shape = app::RoundedWindowShape();
  EXPECT_EQ(shape.boundingRect(), QRect(QPoint(5, 4), QPoint(1194, 844)));
  for (QPoint inside : {QPoint(600, 425), QPoint(5, 425), QPoint(1194, 425), QPoint(600, 4), QPoint(45, 8)}) {
    EXPECT_TRUE(shape.contains(inside)) << inside.x() << "," << inside.y();
  }
  for (QPoint outside :
       {QPoint(4, 425), QPoint(1195, 425), QPoint(600, 845), QPoint(5, 4), QPoint(1194, 844), QPoint(10, 10)}) {
    EXPECT_FALSE(shape.contains(outside)) << outside.x() << "," << outside.y();
  }
  Open();
  form->show();
  EXPECT_EQ(form->mask(), shape);
}

TEST_F(Window, ExitButtonAsksAndOnlyYesClosesAndOpensTheMakersPage) {
  Open();
  form->show();
  dialogs.MessageAnswers = {app::TMessageButton::No, app::TMessageButton::Yes};
  form->SpeedButton1->click();
  ASSERT_EQ(dialogs.Calls.size(), 1u);
  EXPECT_EQ(dialogs.Calls[0].title, "温馨提示");
  EXPECT_EQ(dialogs.Calls[0].text, "是否退出相册");
  EXPECT_EQ(dialogs.Calls[0].icon, app::TMessageIcon::None);
  EXPECT_EQ(dialogs.Calls[0].buttons, (std::vector{app::TMessageButton::Yes, app::TMessageButton::No}));
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(dialogs.CallsOf(TDialogCall::OpenUrl).empty());

  form->SpeedButton1->click();
  EXPECT_FALSE(form->isVisible());
  const auto opened = dialogs.CallsOf(TDialogCall::OpenUrl);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].url, QUrl::fromLocalFile(program.File("maker.html")));
}

TEST_F(Window, ClosingFromOutsideOpensThePageWithoutAsking) {
  Open();
  form->show();
  form->close();
  EXPECT_EQ(dialogs.CallsOf(TDialogCall::Message).size(), 0u);
  EXPECT_EQ(dialogs.CallsOf(TDialogCall::OpenUrl).size(), 1u);
}

TEST_F(Window, ContextMenuOpensOverThePanelAndTheView) {
  Open();
  form->show();
  for (QWidget* owner : {static_cast<QWidget*>(form->Panel1), static_cast<QWidget*>(form->Vantrel)}) {
    EXPECT_EQ(owner->contextMenuPolicy(), Qt::CustomContextMenu);
    emit owner->customContextMenuRequested(QPoint(10, 10));
    EXPECT_TRUE(form->PopupMenu1->isVisible());
    form->PopupMenu1->hide();
  }
  EXPECT_EQ(form->Panel2->contextMenuPolicy(), Qt::DefaultContextMenu);  // the device frame has none
}

// Without a window system that moves windows (here, and X11 with no window
// manager) a drag on the device frame moves the window itself.
TEST_F(Window, DragOnTheDeviceFrameMovesTheWindow) {
  Open();
  form->show();
  const QPoint start = form->pos();
  const QPoint onFrame(40, 300);  // the left rim, outside the screen area
  QTest::mousePress(form->Panel2, Qt::LeftButton, {}, onFrame);
  QMouseEvent move(QEvent::MouseMove, QPointF(onFrame + QPoint(30, 20)),
                   QPointF(form->Panel2->mapToGlobal(onFrame) + QPoint(30, 20)), Qt::NoButton, Qt::LeftButton, {});
  QApplication::sendEvent(form->Panel2, &move);
  QTest::mouseRelease(form->Panel2, Qt::LeftButton, {}, onFrame + QPoint(30, 20));
  EXPECT_EQ(form->pos(), start + QPoint(30, 20));

  // A press in the screen area is not a drag.
  const QPoint moved = form->pos();
  const QPoint inScreenArea = form->Panel1->geometry().center();
  QTest::mousePress(form->Panel2, Qt::LeftButton, {}, inScreenArea);
  QMouseEvent moveAgain(QEvent::MouseMove, QPointF(inScreenArea + QPoint(30, 20)),
                        QPointF(form->Panel2->mapToGlobal(inScreenArea) + QPoint(30, 20)), Qt::NoButton, Qt::LeftButton,
                        {});
  QApplication::sendEvent(form->Panel2, &moveAgain);
  QTest::mouseRelease(form->Panel2, Qt::LeftButton, {}, inScreenArea);
  EXPECT_EQ(form->pos(), moved);
}

TEST_F(Window, ThemeIsCarriedAndAMissingOneIsReported) {
  EXPECT_TRUE(app::FindTheme(app::kThemeName).has_value());
  EXPECT_TRUE(app::FindTheme(app::kThemeName)->contains("QPushButton"));
  auto& application = *qobject_cast<QApplication*>(QCoreApplication::instance());
  const QString before = application.styleSheet();
  EXPECT_FALSE(app::ApplyTheme(application, "Nowhere Blue", dialogs));
  ASSERT_EQ(dialogs.Calls.size(), 1u);
  EXPECT_EQ(dialogs.Calls[0].text, "Style 'Nowhere Blue' not found");
  EXPECT_EQ(dialogs.Calls[0].buttons, std::vector{app::TMessageButton::Close});
  EXPECT_EQ(application.styleSheet(), before);
}

}  // namespace
}  // namespace app_test
