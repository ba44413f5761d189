// The slideshow's keys on the window: next, previous, pause, full screen, the
// display interval and the first photo, each with its note over the view.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <filesystem>
#include <mutex>
#include <thread>

#include "app/up_down.h"
#include "app_fixture.h"
#include "platform/picture_decoder.h"
#include "platform/raster/bitmap.h"
#include "view/vantrel.h"

namespace app_test {
namespace {

const QString kPaused = QString::fromUtf8("已暂停");

class Keys : public AppTest {
 protected:
  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(form->Vantrel, key, modifiers);
  }
  // Opens with quick transitions and a display timer that does not tick.
  void OpenStill(const QStringList& arguments = {}) {
    Open(arguments);
    MakeFast(600000);
  }
  size_t Shown() const { return form->Playlist().History().size(); }
  QString Note() const { return form->Vantrel->NoteText(); }
};

// The photo a key brings is decoded on the preload thread, as the photos the
// show brings are; the window thread only takes it in.
TEST_F(Keys, PhotosBroughtByKeysAreDecodedOnThePreloadThread) {
  program.MakeFolder("Photos", {"d.jpg", "e.jpg", "f.jpg", "g.jpg"});
  const std::thread::id windowThread = std::this_thread::get_id();
  std::mutex lock;
  QStringList decoded, decodedOnWindowThread;
  decoder = [&](const std::filesystem::path& file, raster::Size cover) {
    {
      const std::lock_guard<std::mutex> hold(lock);
      const QString name = QString::fromStdString(file.filename().string());
      decoded << name;
      if (std::this_thread::get_id() == windowThread) decodedOnWindowThread << name;
    }
    return platform::DecodePicture(file, cover);
  };
  OpenStill();
  auto decodedSince = [&](const QString& name) {
    const std::lock_guard<std::mutex> hold(lock);
    return decoded.contains(name);
  };
  auto step = [&](Qt::Key key) {
    Press(key);
    EXPECT_TRUE(WaitIdle());
    EXPECT_TRUE(WaitForPreload());
  };
  // Forward until the photo before the one on screen, and the first photo,
  // are neither on screen nor preloaded: the keys must load them.
  auto onScreenOrNext = [&](const QString& name) {
    return form->Playlist().ShowingImage() == name || form->Playlist().LoadedImage() == name;
  };
  for (int i = 0;
       i < 40 && (Shown() < 2 || onScreenOrNext(form->Playlist().History()[Shown() - 2]) || onScreenOrNext("a.jpg"));
       ++i) {
    step(Qt::Key_Right);
  }
  ASSERT_GE(Shown(), 2u);
  const QString before = form->Playlist().History()[Shown() - 2];
  ASSERT_FALSE(onScreenOrNext(before));
  ASSERT_FALSE(onScreenOrNext("a.jpg"));
  {
    const std::lock_guard<std::mutex> hold(lock);
    decoded.clear();
  }
  step(Qt::Key_Left);
  EXPECT_EQ(form->Playlist().ShowingImage(), before);
  EXPECT_TRUE(decodedSince(before)) << "Left did not decode on the preload thread";
  if (before != "a.jpg") {
    // The show may since have drawn the first photo to come next: then Home
    // takes it as loaded, and there is nothing to decode.
    const bool homeMustLoad = !onScreenOrNext("a.jpg");
    {
      const std::lock_guard<std::mutex> hold(lock);
      decoded.clear();
    }
    step(Qt::Key_Home);
    EXPECT_EQ(form->Playlist().ShowingImage(), "a.jpg");
    if (homeMustLoad) {
      EXPECT_TRUE(decodedSince("a.jpg")) << "Home did not decode on the preload thread";
    }
  }
  form.reset();  // its preload threads use what this test holds
  EXPECT_TRUE(decodedOnWindowThread.isEmpty()) << decodedOnWindowThread.join(", ").toStdString();
}

TEST_F(Keys, RightAndPageDownBringTheNextPhotoAtOnceWithThePanelsTransition) {
  for (Qt::Key key : {Qt::Key_Right, Qt::Key_PageDown}) {
    OpenStill();
    const QString preloaded = form->Playlist().LoadedImage();
    const int style = form->Vantrel->Style();
    QElapsedTimer clock;
    clock.start();
    Press(key);
    EXPECT_TRUE(form->Vantrel->Busy()) << "a transition, at once";
    EXPECT_EQ(form->Playlist().ShowingImage(), preloaded);
    EXPECT_EQ(form->Vantrel->Style(), style % 172 + 1) << "the panel's catalogue order, as a tick would";
    ASSERT_TRUE(WaitIdle(1000));
    EXPECT_LT(clock.elapsed(), 1000);
    ASSERT_EQ(Shown(), 1u);
    EXPECT_EQ(form->Playlist().History().back(), preloaded);
    EXPECT_NE(form->Playlist().LoadedImage(), preloaded) << "the next one is preloaded";
    EXPECT_FALSE(form->Timer->isActive() && form->Timer->remainingTime() < 1000) << "a full interval follows";
    EXPECT_TRUE(dialogs.Calls.empty());
  }
}

TEST_F(Keys, RightFinishesARunningTransitionBeforeTheNextOne) {
  OpenStill();
  Press(Qt::Key_Right);
  ASSERT_TRUE(WaitIdle());
  form->udProgressStep->SetPosition(1);
  form->udProgressDelay->SetPosition(50);
  Press(Qt::Key_Right);
  // Under way, as the panel's progress slider shows it (it stood at 100 after the last one).
  ASSERT_TRUE(WaitUntil([&] { return form->tbProgress->value() > 0 && form->tbProgress->value() < 50; }));
  const QString coming = form->Playlist().ShowingImage();
  QList<int> progress;
  QObject::connect(form->tbProgress, &QSlider::valueChanged, [&](int value) { progress << value; });
  Press(Qt::Key_Right);
  EXPECT_TRUE(progress.contains(100)) << "the photo that was coming in was completed";
  EXPECT_TRUE(form->Vantrel->Busy());
  EXPECT_NE(form->Playlist().ShowingImage(), coming);
  ASSERT_GE(Shown(), 3u);
  EXPECT_EQ(form->Playlist().History()[Shown() - 2], coming);
}

TEST_F(Keys, LeftAndPageUpWalkBackThroughMoreThanFiftyPhotos) {
  QStringList names;
  for (int i = 0; i < 6; ++i) names << QString("p%1.jpg").arg(i);
  const QString many = program.MakeFolder("many", names);
  OpenStill({many});
  Press(Qt::Key_Left);  // nothing shown yet: nothing to go back to
  EXPECT_FALSE(form->Vantrel->Busy());
  EXPECT_TRUE(form->Playlist().ShowingImage().isEmpty());

  QStringList shown;
  for (int i = 0; i < 60; ++i) {
    Press(i % 2 ? Qt::Key_Right : Qt::Key_PageDown);
    ASSERT_TRUE(WaitIdle());
    shown << form->Playlist().ShowingImage();
  }
  for (int back = 1; back <= 55; ++back) {
    Press(back % 2 ? Qt::Key_Left : Qt::Key_PageUp);
    EXPECT_TRUE(form->Vantrel->Busy()) << "with a transition";
    ASSERT_TRUE(WaitIdle());
    ASSERT_EQ(form->Playlist().ShowingImage(), shown[59 - back]) << back << " back";
  }
  // Forward again: a new photo, and back once more returns to where Left stopped.
  const QString reached = form->Playlist().ShowingImage();
  Press(Qt::Key_Right);
  ASSERT_TRUE(WaitIdle());
  Press(Qt::Key_Left);
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(form->Playlist().ShowingImage(), reached);
  EXPECT_TRUE(dialogs.Calls.empty());
}

// Going back stays within the folder playing: the photos of the folder
// played before are not looked for in the new one.
TEST_F(Keys, LeftStopsWhereAnotherFolderBegan) {
  const QString other = program.MakeFolder("other", {"x.jpg", "y.jpg"});
  OpenStill();
  for (int i = 0; i < 3; ++i) {
    Press(Qt::Key_Right);
    ASSERT_TRUE(WaitIdle());
  }
  form->PlayFolder(other);
  Press(Qt::Key_Right);
  ASSERT_TRUE(WaitIdle());
  const QString inOther = form->Playlist().ShowingImage();
  Press(Qt::Key_Left);
  Pump(100);
  EXPECT_FALSE(form->Vantrel->Busy());
  EXPECT_EQ(form->Playlist().ShowingImage(), inOther);
  EXPECT_EQ(form->Playlist().Pictures(), (QStringList{"x.jpg", "y.jpg"}));
  EXPECT_TRUE(dialogs.Calls.empty());
}

TEST_F(Keys, SpacePausesForLongerThanTwoIntervalsAndResumes) {
  Open();
  MakeFast(100);
  ASSERT_TRUE(WaitUntil([&] { return Shown() == 1 && !form->Vantrel->Busy(); }));
  Press(Qt::Key_Space);
  EXPECT_TRUE(form->rbProgressManual->isChecked()) << "the panel in step";
  EXPECT_TRUE(form->Vantrel->Manual());
  EXPECT_TRUE(form->tbProgress->isEnabled());
  const QString showing = form->Playlist().ShowingImage();
  EXPECT_EQ(Note(),
            QString("%1\n%2 / 3   %3").arg(showing).arg(form->Playlist().Pictures().indexOf(showing) + 1).arg(kPaused));
  const size_t shown = Shown();
  Pump(350);
  EXPECT_EQ(form->Playlist().ShowingImage(), showing);
  EXPECT_EQ(form->Vantrel->Progress(), 0);
  EXPECT_FALSE(form->Timer->isActive());
  EXPECT_EQ(Shown(), shown);

  Press(Qt::Key_Space);
  EXPECT_TRUE(form->rbProgressAuto->isChecked());
  EXPECT_FALSE(form->Vantrel->Manual());
  EXPECT_FALSE(Note().contains(kPaused));
  EXPECT_TRUE(WaitUntil([&] { return Shown() >= shown + 1 && form->Playlist().ShowingImage() != showing; }, 2000));

  // The panel's choice pauses as Space does, and Space then resumes.
  form->rbProgressManual->setChecked(true);
  Press(Qt::Key_Space);
  EXPECT_TRUE(form->rbProgressAuto->isChecked());
  EXPECT_FALSE(form->Vantrel->Manual());
}

TEST_F(Keys, RightAndLeftWhilePausedAnimateAndThePauseStays) {
  OpenStill();
  Press(Qt::Key_Right);
  ASSERT_TRUE(WaitIdle());
  const QString first = form->Playlist().ShowingImage();
  Press(Qt::Key_Space);  // paused: a transition to the preloaded photo waits at its start
  ASSERT_TRUE(form->Vantrel->Busy());
  ASSERT_EQ(Shown(), 2u);
  const QString waiting = form->Playlist().History().back();
  EXPECT_NE(waiting, first);
  EXPECT_TRUE(Note().startsWith(first + "\n")) << "the photo still on screen";

  Press(Qt::Key_Right);  // the photo that was waiting comes in, by itself
  EXPECT_EQ(form->Playlist().ShowingImage(), waiting);
  EXPECT_TRUE(form->Vantrel->Busy());
  EXPECT_FALSE(form->Vantrel->Manual());
  ASSERT_TRUE(WaitIdle());
  EXPECT_TRUE(form->Vantrel->Manual());
  EXPECT_TRUE(form->rbProgressManual->isChecked());
  EXPECT_FALSE(form->Timer->isActive());

  Press(Qt::Key_Left);
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(form->Playlist().ShowingImage(), first);
  EXPECT_TRUE(form->Vantrel->Manual());
  Pump(100);
  EXPECT_EQ(form->Playlist().ShowingImage(), first);
  EXPECT_TRUE(dialogs.Calls.empty());
}

TEST_F(Keys, F11AndFSwitchFullScreenAndEscapeStillReturns) {
  Open();
  form->show();
  Press(Qt::Key_F11);
  EXPECT_TRUE(form->IsFullScreen());
  EXPECT_FALSE(Note().isEmpty());
  Press(Qt::Key_F11);
  EXPECT_FALSE(form->IsFullScreen());
  Press(Qt::Key_F);
  EXPECT_TRUE(form->IsFullScreen());
  Press(Qt::Key_Escape);
  EXPECT_FALSE(form->IsFullScreen());
  Press(Qt::Key_F, Qt::ControlModifier);  // not ours
  EXPECT_FALSE(form->IsFullScreen());
}

TEST_F(Keys, PlusAndMinusStepTheIntervalWithinThePanelsRange) {
  Open();
  struct Step {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int times;
    int interval;
  } steps[] = {
      {Qt::Key_Plus, Qt::ShiftModifier, 1, 3500},   {Qt::Key_Minus, Qt::NoModifier, 2, 2500},
      {Qt::Key_Minus, Qt::KeypadModifier, 20, 500}, {Qt::Key_Equal, Qt::NoModifier, 1, 1000},
      {Qt::Key_Plus, Qt::KeypadModifier, 30, 9500}, {Qt::Key_Underscore, Qt::ShiftModifier, 1, 9000},
  };
  for (const Step& s : steps) {
    for (int i = 0; i < s.times; ++i) Press(s.key, s.modifiers);
    EXPECT_EQ(form->tbDisplayInterval->value(), s.interval) << s.key;
    EXPECT_EQ(form->Timer->interval(), s.interval);
    EXPECT_EQ(form->lblDisplayIntervalValue->text(), QString::asprintf("[ %.3f Seconds ]", s.interval / 1000.0));
    EXPECT_TRUE(Note().endsWith(QString::number(s.interval / 1000.0, 'f', 1) + QString::fromUtf8(" 秒")))
        << Note().toStdString();
  }
}

TEST_F(Keys, HomeShowsTheFirstPhotoInNameOrder) {
  program.MakeFolder("sorted", {"c.jpg", "B.jpg", "a2.jpg"});
  OpenStill({program.File("sorted")});
  for (int i = 0; i < 3; ++i) {
    Press(Qt::Key_Right);
    ASSERT_TRUE(WaitIdle());
    if (form->Playlist().ShowingImage() != "a2.jpg") break;
  }
  ASSERT_NE(form->Playlist().ShowingImage(), "a2.jpg");
  Press(Qt::Key_Home);
  EXPECT_TRUE(form->Vantrel->Busy()) << "with a transition";
  EXPECT_EQ(form->Playlist().ShowingImage(), "a2.jpg");
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(Note(), "a2.jpg\n1 / 3");
  Press(Qt::Key_End);  // not ours: nothing changes
  EXPECT_FALSE(form->Vantrel->Busy());
}

TEST_F(Keys, KeysTypedIntoTheSettingsPanelBelongToItsControls) {
  OpenStill();
  form->YJSZClick(form->YJSZ);
  form->show();
  QApplication::setActiveWindow(form.get());
  for (QWidget* control : std::initializer_list<QWidget*>{form->edtProgressStep, form->tbDisplayInterval}) {
    // As typed: to the control with the focus, passed on to its parents when unused.
    control->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), control);
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Home, Qt::Key_Space, Qt::Key_F, Qt::Key_F11}) {
      QTest::keyClick(control, key);
    }
  }
  EXPECT_EQ(Shown(), 0u);
  EXPECT_FALSE(form->Vantrel->Busy());
  EXPECT_TRUE(form->rbProgressAuto->isChecked());
  EXPECT_FALSE(form->IsFullScreen());
  EXPECT_TRUE(Note().isEmpty());
}

TEST_F(Keys, TheNoteNamesThePhotoItsPlaceAndThePauseThenFades) {
  OpenStill();
  EXPECT_TRUE(Note().isEmpty());
  Press(Qt::Key_Right);
  ASSERT_TRUE(WaitIdle());
  const QString name = form->Playlist().ShowingImage();
  const int place = static_cast<int>(form->Playlist().Pictures().indexOf(name)) + 1;
  EXPECT_EQ(Note(), QString("%1\n%2 / 3").arg(name).arg(place));
  Press(Qt::Key_Space);
  EXPECT_EQ(Note(), QString("%1\n%2 / 3   %3").arg(name).arg(place).arg(kPaused));
  Pump(1500);
  EXPECT_FALSE(Note().isEmpty()) << "still up after 1.5 s";
  EXPECT_TRUE(WaitUntil([&] { return Note().isEmpty(); }, 1500)) << "gone after 3 s";
}

// The note is painted over the view but never becomes part of what the
// transition draws: the display keeps the photo alone, and the note is seen
// over every frame while it is up.
TEST_F(Keys, TheNoteIsPaintedOverTheViewAndNeverIntoTheTransitionsPictures) {
  const QString one = program.MakeFolder("one", {});
  WritePicture(one + "/white.png", QColor(255, 255, 255), 400, 300);
  OpenStill({one});
  form->resize(1200, 850);
  form->show();
  Press(Qt::Key_Right);
  ASSERT_TRUE(WaitIdle());
  form->udProgressStep->SetPosition(5);
  form->udProgressDelay->SetPosition(20);
  Press(Qt::Key_Right);  // the note is up while this transition runs
  const QRect note = form->Vantrel->NoteRect();
  ASSERT_FALSE(note.isEmpty());
  int framesSeen = 0;
  while (form->Vantrel->Busy()) {
    Pump(30);
    raster::Bitmap display;
    form->Vantrel->CopyDisplay(display);
    ASSERT_EQ(display.Width(), 400);
    for (int y = 0; y < display.Height(); ++y) {
      for (int x = 0; x < display.Width(); ++x) {
        ASSERT_EQ(display.Pixel(x, y) & 0xFFFFFF, 0xFFFFFFu) << x << "," << y;
      }
    }
    ++framesSeen;
  }
  EXPECT_GT(framesSeen, 2);
  const QImage painted = form->Vantrel->grab().toImage();
  const QColor inNote = painted.pixelColor(note.left() + 3, note.center().y());
  const QColor outside = painted.pixelColor(note.right() + 20, note.center().y());
  EXPECT_LT(inNote.lightness(), 120) << "the note's dark box";
  EXPECT_NE(inNote, outside);
}

// Turns the mouse wheel over `target` by `delta` (120 a notch; below 0
// towards the user).
void Wheel(QWidget* target, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  const QPointF at = QRectF(target->rect()).center();
  QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers, Qt::NoScrollPhase,
                    false);
  QApplication::sendEvent(target, &event);
}

// The wheel over the photo steps as Right and Left do, in manual play too,
// with the same note; a touchpad's small steps add up to one notch.
TEST_F(Keys, TheWheelOverThePhotoStepsLikeRightAndLeft) {
  OpenStill();
  form->SetPaused(true);
  ASSERT_TRUE(WaitForPreload());
  Wheel(form->Vantrel, -120);
  ASSERT_TRUE(WaitIdle());
  ASSERT_EQ(Shown(), 1u) << "a photo came at once";
  const QString first = form->Playlist().History().back();
  EXPECT_TRUE(Note().startsWith(first + "\n")) << Note().toStdString();
  EXPECT_TRUE(Note().contains(kPaused));
  ASSERT_TRUE(WaitForPreload());
  Wheel(form->Vantrel, -120);
  ASSERT_TRUE(WaitIdle());
  ASSERT_EQ(Shown(), 2u);
  EXPECT_NE(form->Playlist().History().back(), first);
  ASSERT_TRUE(WaitForPreload());

  Wheel(form->Vantrel, 60);
  EXPECT_FALSE(form->Vantrel->Busy()) << "half a notch does nothing yet";
  EXPECT_EQ(Shown(), 2u);
  Wheel(form->Vantrel, 60);
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(form->Playlist().ShowingImage(), first) << "back to the photo before";
  EXPECT_EQ(Shown(), 1u);
  EXPECT_TRUE(form->Paused());

  // With Ctrl (a zoom elsewhere) the wheel is not the show's.
  ASSERT_TRUE(WaitForPreload());
  Wheel(form->Vantrel, -120, Qt::ControlModifier);
  EXPECT_FALSE(form->Vantrel->Busy());
  EXPECT_EQ(Shown(), 1u);
  EXPECT_TRUE(dialogs.Calls.empty());
}

// Over the settings panel the wheel stays with its controls.
TEST_F(Keys, TheWheelOverTheSettingsPanelStaysWithItsControls) {
  OpenStill();
  form->YJSZClick(form->YJSZ);
  form->PageControl->setCurrentWidget(form->TabSheet3);
  const int interval = form->tbDisplayInterval->value();
  for (QWidget* target :
       std::initializer_list<QWidget*>{form->tbDisplayInterval, form->lblDisplayInterval, form->PageControl}) {
    Wheel(target, -120);
  }
  EXPECT_LT(form->tbDisplayInterval->value(), interval) << "the slider took its wheel";
  EXPECT_FALSE(form->Vantrel->Busy());
  EXPECT_EQ(Shown(), 0u);
}

}  // namespace
}  // namespace app_test
