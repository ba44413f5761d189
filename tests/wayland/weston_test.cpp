// Runs Project22 as a Wayland client of a headless weston (pixman renderer,
// a magenta desktop the program never shows) and checks its screenshots:
// the window's rounded outline shows the desktop at the corners, photos play
// in the device's screen, full screen covers the output; dragging the device
// frame moves the window.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <utility>
#include <vector>

#include "wait_for.h"

namespace {

constexpr int kScreenWidth = 1600;
constexpr int kScreenHeight = 1200;
const QColor kDesktop(255, 0, 255);
// Window coordinates: the outline (5, 4)-(1195, 845), the view in the device's screen.
constexpr QRect kOutline{5, 4, 1190, 841};
constexpr QRect kView{105, 81, 992, 682};

bool IsDesktop(const QImage& shot, int x, int y) { return shot.pixelColor(x, y) == kDesktop; }

using test_support::WaitFor;

// The smallest rectangle holding the rows and columns in which at least
// `kLeastRun` pixels are not the desktop. The pointer that weston's X11
// backend draws wherever its seat's pointer lies (at the output's corner
// before any motion) is at most 64 pixels across: it never counts, however
// it lies beside the window.
constexpr int kLeastRun = 65;
QRect Drawn(const QImage& shot) {
  std::vector<int> inColumn(size_t(shot.width()), 0);
  int top = -1, bottom = -1;
  for (int y = 0; y < shot.height(); ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(shot.constScanLine(y));
    int inRow = 0;
    for (int x = 0; x < shot.width(); ++x) {
      const bool drawn = (row[x] & 0xffffff) != 0xff00ff;
      inRow += drawn;
      inColumn[size_t(x)] += drawn;
    }
    if (inRow >= kLeastRun) {
      if (top < 0) top = y;
      bottom = y;
    }
  }
  int left = -1, right = -1;
  for (int x = 0; x < shot.width(); ++x) {
    if (inColumn[size_t(x)] < kLeastRun) continue;
    if (left < 0) left = x;
    right = x;
  }
  if (top < 0 || left < 0) return {};
  return QRect(QPoint(left, top), QPoint(right, bottom));
}

// The share of sampled points of `area` that differ between two shots.
double ChangedShare(const QImage& a, const QImage& b, const QRect& area) {
  int sampled = 0, changed = 0;
  for (int y = area.top() + 4; y < area.bottom() - 4; y += 9) {
    for (int x = area.left() + 4; x < area.right() - 4; x += 9) {
      ++sampled;
      const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
      changed += std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) + std::abs(p.blue() - q.blue()) > 40;
    }
  }
  return sampled ? double(changed) / sampled : 0;
}

// A headless weston of its own: its own runtime folder, socket and desktop
// colour, with or without the desktop shell's panel along the top.
class Weston : public ::testing::Test {
 protected:
  virtual bool WithPanel() const { return false; }
  // headless, or a window of the X server named by DISPLAY, whose mouse
  // xdotool drives
  virtual QString Backend() const { return "headless-backend.so"; }

  void SetUp() override {
    ASSERT_TRUE(runtime.isValid());
    QFile ini(runtime.filePath("weston.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(
        "[core]\nidle-time=0\n"
        "[shell]\nbackground-color=0xffff00ff\nlocking=false\n"
        "animation=none\nclose-animation=none\nstartup-animation=none\nfocus-animation=none\n");
    ini.write(WithPanel() ? "panel-position=top\n" : "panel-position=none\n");
    ini.close();
    env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("WAYLAND_DISPLAY", "wayland-test");
    weston.setProcessEnvironment(env);
    env.remove("DISPLAY");  // the program is a Wayland client only
    weston.setWorkingDirectory(runtime.path());
    weston.setProcessChannelMode(QProcess::MergedChannels);
    weston.setStandardOutputFile(runtime.filePath("weston.log"));
    // --debug offers the screenshooter protocol.
    weston.start("weston", {"--backend=" + Backend(), "--use-pixman", "--width=" + QString::number(kScreenWidth),
                            "--height=" + QString::number(kScreenHeight), "--socket=wayland-test", "--debug",
                            "--idle-time=0", "--config=" + runtime.filePath("weston.ini")});
    ASSERT_TRUE(weston.waitForStarted(5000));
    ASSERT_TRUE(WaitFor([&] { return QFile::exists(runtime.filePath("wayland-test")); }, 30000)) << "no weston socket";
    // The desktop shell draws its background a moment after the socket opens.
    ASSERT_TRUE(WaitFor(
        [&] {
          const QImage shot = Screenshot();
          return !shot.isNull() && IsDesktop(shot, 0, kScreenHeight - 1) &&
                 IsDesktop(shot, kScreenWidth - 1, kScreenHeight - 1);
        },
        30000))
        << "the desktop did not appear";
  }

  void TearDown() override {
    for (QProcess* process : {&program, &weston}) {
      if (process->state() == QProcess::NotRunning) continue;
      process->terminate();
      if (!process->waitForFinished(3000)) {
        process->kill();
        process->waitForFinished(3000);
      }
    }
  }

  void StartProgram(const QStringList& arguments = {}) {
    QProcessEnvironment programEnv = env;
    programEnv.insert("QT_QPA_PLATFORM", "wayland");
    programEnv.insert("LANG", "C");
    programEnv.insert("XDG_CONFIG_HOME", runtime.filePath("config"));  // no remembered settings from elsewhere
    program.setProcessEnvironment(programEnv);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(VANTREL_PROGRAM, arguments);
    ASSERT_TRUE(program.waitForStarted(5000));
  }

  // The output as weston sees it, through weston-screenshooter.
  QImage Screenshot() {
    QDir shots(runtime.filePath("shots"));
    shots.mkpath(".");
    for (const QString& old : shots.entryList(QDir::Files)) shots.remove(old);
    QProcess shooter;
    shooter.setProcessEnvironment(env);
    shooter.setWorkingDirectory(shots.path());
    shooter.start("weston-screenshooter", {});
    if (!shooter.waitForFinished(10000) || shooter.exitCode() != 0) return {};
    const QStringList taken = shots.entryList({"*.png"}, QDir::Files);
    if (taken.isEmpty()) return {};
    return QImage(shots.filePath(taken.first())).convertToFormat(QImage::Format_RGB32);
  }

  QTemporaryDir runtime;
  QProcessEnvironment env;
  QProcess weston;
  QProcess program;
};

TEST_F(Weston, RoundedWindowShowsTheDesktopAtItsCornersAndPlaysPhotos) {
  StartProgram();
  QImage shot;
  QRect drawn;
  ASSERT_TRUE(WaitFor(
      [&] {
        shot = Screenshot();
        drawn = shot.isNull() ? QRect() : Drawn(shot);
        return drawn.width() > 1000;
      },
      30000))
      << "no window appeared";
  ASSERT_EQ(shot.size(), QSize(kScreenWidth, kScreenHeight));
  if (qEnvironmentVariableIsSet("WESTON_TEST_SHOT")) shot.save(qEnvironmentVariable("WESTON_TEST_SHOT"));

  // Only the rounded outline is drawn: the 1200 x 850 buffer is transparent
  // around it, so what was drawn is the outline's size ...
  EXPECT_EQ(drawn.size(), kOutline.size()) << "drawn " << drawn.width() << "x" << drawn.height();
  const QPoint window = drawn.topLeft() - kOutline.topLeft();
  // ... and its rounded corners (radius 40) show the desktop.
  for (const QPoint corner : {kOutline.topLeft(), kOutline.topRight(), kOutline.bottomLeft(), kOutline.bottomRight()}) {
    const QPoint inward((corner.x() < 600 ? 1 : -1), (corner.y() < 400 ? 1 : -1));
    for (int d : {0, 3, 8}) {
      const QPoint p = window + corner + inward * d;
      EXPECT_TRUE(IsDesktop(shot, p.x(), p.y())) << "corner pixel at window " << (corner + inward * d).x() << ","
                                                 << (corner + inward * d).y() << " is not transparent";
    }
    // Along the straight edges the device is drawn right to the outline.
    const QPoint alongEdge = window + corner + QPoint(inward.x() * 60, 0);
    EXPECT_FALSE(IsDesktop(shot, alongEdge.x(), alongEdge.y()));
  }

  // A photo comes in after the display interval and changes most of the
  // device's screen; a few seconds later the next one.
  const QRect view = kView.translated(window);
  const QImage first = shot;
  QImage playing;
  ASSERT_TRUE(WaitFor([&] { return ChangedShare(first, playing = Screenshot(), view) > 0.3; }, 20000))
      << "no photo arrived";
  EXPECT_TRUE(WaitFor([&] { return ChangedShare(playing, Screenshot(), view) > 0.3; }, 20000))
      << "the slideshow stopped";
  EXPECT_EQ(program.state(), QProcess::Running);
}

// The box of the pixels that are not black.
QRect Lit(const QImage& shot) {
  QRect lit;
  for (int y = 0; y < shot.height(); ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(shot.constScanLine(y));
    for (int x = 0; x < shot.width(); ++x) {
      if (qRed(row[x]) + qGreen(row[x]) + qBlue(row[x]) > 8) lit |= QRect(x, y, 1, 1);
    }
  }
  return lit;
}

// The desktop shell's panel along the top of the output: an ordinary window
// is placed below it.
class WestonWithPanel : public Weston {
 protected:
  bool WithPanel() const override { return true; }
};

// Started with --fullscreen, the view asks the compositor for full screen:
// it covers the whole output, the panel too, black around a centred photo,
// and goes on playing.
TEST_F(WestonWithPanel, FullScreenCoversTheOutputAndPlays) {
  StartProgram({"--fullscreen"});
  const QRect output(0, 0, kScreenWidth, kScreenHeight);
  // No desktop anywhere, black in the corners.
  const auto coversTheOutput = [&](const QImage& shot) {
    if (shot.size() != output.size() || Drawn(shot) != output) return false;
    for (const QPoint corner : {output.topLeft(), output.topRight(), output.bottomLeft(), output.bottomRight()}) {
      if (shot.pixelColor(corner) != Qt::black) return false;
    }
    return true;
  };
  // A photo between two transitions: the same picture twice running.
  QImage shot, before;
  ASSERT_TRUE(WaitFor(
      [&] {
        before = std::exchange(shot, Screenshot());
        return coversTheOutput(shot) && !Lit(shot).isEmpty() && shot == before;
      },
      20000))
      << "the output is not covered by the full-screen view";
  if (qEnvironmentVariableIsSet("WESTON_TEST_SHOT")) shot.save(qEnvironmentVariable("WESTON_TEST_SHOT"));

  // The photo (shrunk to fit when larger than the output) sits in the middle.
  const QRect photo = Lit(shot);
  EXPECT_LE(std::abs(photo.center().x() - output.center().x()), 2) << "photo at " << photo.x() << "," << photo.y();
  EXPECT_LE(std::abs(photo.center().y() - output.center().y()), 2) << "photo at " << photo.x() << "," << photo.y();

  // The next photos come in, still full screen.
  QImage playing;
  ASSERT_TRUE(WaitFor([&] { return ChangedShare(shot, playing = Screenshot(), photo) > 0.3; }, 20000))
      << "no photo arrived";
  EXPECT_TRUE(WaitFor([&] { return ChangedShare(playing, Screenshot(), photo) > 0.3; }, 20000))
      << "the slideshow stopped";
  EXPECT_TRUE(coversTheOutput(Screenshot()));
  EXPECT_EQ(program.state(), QProcess::Running);
}

// weston as a window of an X server (xvfb-run) that fills its screen, so
// that xdotool's mouse reaches the compositor's seat.
class WestonOnX11 : public Weston {
 protected:
  QString Backend() const override { return "x11-backend.so"; }
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
      GTEST_SKIP() << "needs an X server for weston's input: run under xvfb-run";
    Weston::SetUp();
    // weston draws its seat's pointer: put it where it lies on the desktop
    // beside the window, at the output's corner, so that the outline is
    // found wherever the pointer is.
    ASSERT_EQ(QProcess::execute("xdotool", {"mousemove", "40", "40", "mousemove", "0", "0"}), 0);
  }
  QRect WindowOutline() {
    const QImage shot = Screenshot();
    return shot.isNull() ? QRect() : Drawn(shot);
  }
  static void Drag(QPoint from, QPoint to) {
    const QPoint half = (from + to) / 2;
    ASSERT_EQ(QProcess::execute("xdotool", {"mousemove",
                                            QString::number(from.x()),
                                            QString::number(from.y()),
                                            "sleep",
                                            "0.3",
                                            "mousedown",
                                            "1",
                                            "sleep",
                                            "0.3",
                                            "mousemove",
                                            QString::number(half.x()),
                                            QString::number(half.y()),
                                            "sleep",
                                            "0.3",
                                            "mousemove",
                                            QString::number(to.x()),
                                            QString::number(to.y()),
                                            "sleep",
                                            "0.3",
                                            "mouseup",
                                            "1"}),
              0);
  }
};

TEST_F(WestonOnX11, DraggingTheDeviceFrameMovesTheWindowDraggingThePhotoDoesNot) {
  StartProgram();
  QRect before;
  ASSERT_TRUE(WaitFor([&] { return (before = WindowOutline()).size() == kOutline.size(); }, 30000))
      << "no window appeared";
  const QPoint window = before.topLeft() - kOutline.topLeft();

  // A drag that starts on the photo panel belongs to the panel, and a drag
  // on the frame above the screen then moves the window by as much. The
  // second drag's move is the sign that the first was handled: had the
  // first moved the window too, it would never rest where the second alone
  // takes it (the two drags differ, so neither can pass for the other).
  Drag(window + kView.center(), window + kView.center() + QPoint(150, 80));
  const QPoint onFrame = window + QPoint(300, 40), frameDrag(110, 60);
  Drag(onFrame, onFrame + frameDrag);
  QRect after;
  EXPECT_TRUE(WaitFor([&] { return (after = WindowOutline()).topLeft() == before.topLeft() + frameDrag; }, 20000))
      << "the window is at " << after.x() << "," << after.y() << ", was at " << before.x() << "," << before.y();
  EXPECT_EQ(after.size(), kOutline.size());
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
