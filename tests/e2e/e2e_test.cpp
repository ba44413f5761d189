// Runs Project22 in an X server (xvfb-run) on a program folder of its own and
// checks what a person would see: screenshots of the whole screen, clicks and
// keys by xdotool. The root window is painted magenta, a colour the program
// never draws, so that an area nobody painted cannot pass for a black one.
//
//   e2e_tests [--window-manager=openbox] [gtest options]
//
// With --window-manager the test starts that window manager itself first.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QUrl>
#include <cstdlib>
#include <functional>
#include <memory>

#include "wait_for.h"
#include "x11_root.h"

namespace {

const QColor kRed(220, 30, 30), kGreen(30, 200, 30), kBlue(40, 60, 220), kThemeGreen(0x3c, 0x9a, 0x3c), kBlack(0, 0, 0),
    kRootColour(255, 0, 255);
constexpr int kDisplayInterval = 3000;  // the program's default, ms

// Where things are on a screen of the given size: the 1200 x 850 window is
// centred on it (in device pixels: `scale` times its logical size).
struct TLayout {
  explicit TLayout(QSize screen, int deviceScale = 1)
      : scale(deviceScale),
        window((screen.width() - 1200 * scale) / 2, (screen.height() - 850 * scale) / 2),
        view(window + QPoint(105, 81) * scale, QSize(992, 682) * scale),
        pageControl(window + QPoint(104 + 304, 80 + 64) * scale, QSize(297, 449) * scale) {}
  // A picture of `size` centred in the view with a 1-pixel frame, when it fits.
  QRect PhotoInWindow(QSize size) const {
    return QRect(view.topLeft() + QPoint(1 + (990 - size.width()) / 2, 1 + (680 - size.height()) / 2), size);
  }
  int scale;
  QPoint window;
  QRect view, pageControl;
};

bool Near(QColor a, QColor b, int tolerance = 24) {
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
         std::abs(a.blue() - b.blue()) <= tolerance;
}

QRect ScreenRect() { return QGuiApplication::primaryScreen()->geometry(); }

// A screenshot of part of the screen, read in screen coordinates. Small
// grabs keep the test quick on a busy machine.
struct TShot {
  QImage image;
  QPoint origin;
  QColor At(QPoint p) const { return image.pixelColor(p - origin); }
};

TShot Grab(const QRect& area = ScreenRect()) {
  const QPixmap pixmap =
      QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
  return {pixmap.toImage().convertToFormat(QImage::Format_RGB32), area.topLeft()};
}

QColor At(const TShot& shot, QPoint p) { return shot.At(p); }

bool CornersAre(QColor colour) {
  const QRect screen = ScreenRect();
  for (QPoint p : {screen.topLeft(), screen.topRight(), screen.bottomLeft(), screen.bottomRight()}) {
    if (!Near(Grab(QRect(p, QSize(1, 1))).At(p), colour, 8)) return false;
  }
  return true;
}

// How many points of an n x n grid over `area` (inset by 3 pixels, clear of
// edges that scaling may blur) are near `colour`.
int CountNear(const TShot& shot, const QRect& area, QColor colour, int n = 12) {
  const QRect inner = area.adjusted(3, 3, -3, -3);
  int count = 0;
  for (int j = 0; j < n; ++j) {
    for (int i = 0; i < n; ++i) {
      const QPoint p(inner.left() + inner.width() * i / (n - 1), inner.top() + inner.height() * j / (n - 1));
      count += Near(At(shot, p), colour);
    }
  }
  return count;
}

bool AllNear(const TShot& shot, const QRect& area, QColor colour) { return CountNear(shot, area, colour) == 12 * 12; }

// The photo that fills `area` completely, or an invalid colour.
QColor WholePhoto(const TShot& shot, const QRect& area) {
  for (QColor c : {kRed, kGreen}) {
    if (AllNear(shot, area, c)) return c;
  }
  return {};
}

using test_support::Wait;

// Looks often: a transition frame is on screen for a fraction of a second.
bool WaitFor(const std::function<bool()>& done, int ms) { return test_support::WaitFor(done, ms, 40); }

// Keeps a screenshot for a person to look at when E2E_SHOT_DIR names a folder.
void SaveShot(const TShot& shot, const QString& name) {
  const QString folder = qEnvironmentVariable("E2E_SHOT_DIR");
  if (!folder.isEmpty()) shot.image.save(QDir(folder).filePath(name));
}

void Xdotool(const QStringList& arguments) {
  ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), arguments), 0) << arguments.join(' ').toStdString();
}

void Click(QPoint at, int button = 1, int repeat = 1) {
  Xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "--repeat", QString::number(repeat),
           "--delay", "60", QString::number(button)});
}

void Keys(const QStringList& keys) { Xdotool(QStringList{"key", "--delay", "80"} + keys); }

void WritePicture(const QString& path, QColor color, int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(color);
  ASSERT_TRUE(image.save(path, nullptr, 95)) << path.toStdString();
}

const QRect kExitButton(1104, 389, 70, 67);  // in the window
const QRect kScreenArea(102, 78, 998, 688);  // in the window, with the rim of the view

// Compares `area` of the device picture (window coordinates) with the shot,
// the window's top-left at `window`, where the picture is opaque and the
// point was grabbed, less `skip`. Counts into `compared` and `equal`.
void CompareDevice(const TShot& shot, const QImage& device, QPoint window, const QRect& area, const QRect& skip,
                   int& compared, int& equal) {
  const QRect grabbed(shot.origin, shot.image.size());
  for (int y = area.top(); y <= area.bottom(); y += 7) {
    for (int x = area.left(); x <= area.right(); x += 7) {
      if (qAlpha(device.pixel(x, y)) != 255 || skip.contains(x, y) || kScreenArea.contains(x, y)) continue;
      if (!grabbed.contains(window + QPoint(x, y))) continue;
      ++compared;
      equal += Near(At(shot, window + QPoint(x, y)), device.pixelColor(x, y), 6);
    }
  }
}

// Whether the device frame shows pixel for pixel around the screen area with
// the window's top-left at `window` (the exit button aside: it lights up
// under the pointer).
bool DeviceShownAt(const TShot& shot, const QImage& device, QPoint window) {
  int compared = 0, equal = 0;
  CompareDevice(shot, device, window, QRect(0, 0, 1200, 850), kExitButton, compared, equal);
  return compared > 1000 && equal >= compared * 99 / 100;
}

// Whether the exit button shows as the device picture draws it.
bool ExitButtonShownAt(const TShot& shot, const QImage& device, QPoint window) {
  int compared = 0, equal = 0;
  CompareDevice(shot, device, window, kExitButton, QRect(), compared, equal);
  return compared >= 80 && equal >= compared * 99 / 100;
}

// The first run of at least `length` rows of `color` in column x, from y0 to y1.
int FindRun(const TShot& shot, int x, int y0, int y1, QColor color, int length) {
  int run = 0;
  for (int y = y0; y < y1; ++y) {
    run = Near(At(shot, {x, y}), color, 12) ? run + 1 : 0;
    if (run == length) return y - length + 1;
  }
  return -1;
}

// System V shared-memory segments made by process `pid` (frames reach the X
// server through such segments; each one is attached there too).
int SharedMemorySegmentsOf(qint64 pid) {
  QFile table(QStringLiteral("/proc/sysvipc/shm"));
  if (!table.open(QIODevice::ReadOnly)) return -1;
  int count = 0;
  table.readLine();  // the header
  while (!table.atEnd()) {
    const QList<QByteArray> fields = table.readLine().simplified().split(' ');
    if (fields.size() > 4 && fields[4].toLongLong() == pid) ++count;
  }
  return count;
}

// How many windows of process `pid` are mapped: the main window, and each
// menu, drop-down list and message box while it is up. A count that rises
// is the sign that a click was delivered and handled.
int VisibleWindowsOf(qint64 pid) {
  QProcess search;
  search.start(QStringLiteral("xdotool"), {"search", "--onlyvisible", "--pid", QString::number(pid)});
  if (!search.waitForFinished(20000)) return -1;
  return int(QString::fromLatin1(search.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts).size());
}

using test_support::PaintRoot;
using test_support::RootWindow;
xcb_connection_t* Connection() { return test_support::X11Connection(); }

// Whether a window manager has announced itself on the root window.
bool WindowManagerRunning() {
  xcb_connection_t* c = Connection();
  xcb_intern_atom_reply_t* atom =
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, 24, "_NET_SUPPORTING_WM_CHECK"), nullptr);
  if (atom == nullptr) return false;
  const xcb_atom_t name = atom->atom;
  std::free(atom);
  if (name == XCB_ATOM_NONE) return false;
  xcb_get_property_reply_t* property =
      xcb_get_property_reply(c, xcb_get_property(c, 0, RootWindow(), name, XCB_ATOM_WINDOW, 0, 1), nullptr);
  const bool running = property != nullptr && xcb_get_property_value_length(property) == 4;
  std::free(property);
  return running;
}

QString gWindowManager;  // empty: none

class Slideshow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QGuiApplication::platformName() == "xcb") << "needs an X server: run under xvfb-run";
    ASSERT_EQ(gWindowManager.isEmpty(), !WindowManagerRunning());
    Xdotool({"mousemove", "0", "0"});
    ASSERT_TRUE(CornersAre(kRootColour)) << "the root window is not painted";
    // A program folder of its own: a blue default background, two photos.
    const QDir dir(folder.path());
    ASSERT_TRUE(QFile::copy(VANTREL_PROGRAM, dir.filePath("Project22")));
    QFile::setPermissions(dir.filePath("Project22"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_TRUE(QFile::copy(VANTREL_MAKER_PAGE, dir.filePath("maker.html")));
    WritePicture(dir.filePath("1002.jpg"), kBlue, 64, 64);
    dir.mkdir("Photos");
    // The browser stand-in records the address it was asked to open.
    dir.mkdir("stub");
    QFile stub(dir.filePath("stub/xdg-open"));
    ASSERT_TRUE(stub.open(QIODevice::WriteOnly));
    stub.write(("#!/bin/sh\nprintf '%s' \"$1\" > '" + dir.filePath("opened.txt") + "'\n").toUtf8());
    stub.close();
    stub.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }

  void TearDown() override {
    if (program.state() != QProcess::NotRunning) {
      program.kill();
      program.waitForFinished(3000);
    }
  }

  QString Photos() const { return QDir(folder.path()).filePath("Photos"); }

  // Clicks at `at` and waits until the window the click opens (a menu, a
  // drop-down list, a message box) is up.
  void ClickForWindow(QPoint at, int button = 1) {
    const int before = VisibleWindowsOf(program.processId());
    ASSERT_GE(before, 1);
    Click(at, button);
    ASSERT_TRUE(WaitFor([&] { return VisibleWindowsOf(program.processId()) > before; }, 20000))
        << "no window opened by the click at " << at.x() << "," << at.y();
  }

  void Start(const QStringList& extraEnvironment = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PATH", folder.filePath("stub") + ":" + env.value("PATH"));
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("XDG_CONFIG_HOME", folder.filePath("config"));  // remembered settings stay in the test folder
    env.remove("XDG_CURRENT_DESKTOP");  // the plain desktop: links open through xdg-open
    env.remove("KDE_FULL_SESSION");
    env.remove("GNOME_DESKTOP_SESSION_ID");
    for (const QString& setting : extraEnvironment) env.insert(setting.section('=', 0, 0), setting.section('=', 1));
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(folder.filePath("Project22"), {});
    ASSERT_TRUE(program.waitForStarted(5000));
    started.start();
  }

  QTemporaryDir folder;
  QProcess program;
  QElapsedTimer started;
};

TEST_F(Slideshow, RunsAsAPersonSeesIt) {
  WritePicture(Photos() + "/red.jpg", kRed, 800, 600);
  WritePicture(Photos() + "/green.jpg", kGreen, 800, 600);
  const TLayout layout(ScreenRect().size());
  const QImage device(VANTREL_DEVICE_PICTURE);
  ASSERT_FALSE(device.isNull());
  const QRect photoInWindow = layout.PhotoInWindow({800, 600});
  QRect photoFullScreen(QPoint(), QSize(800, 600));
  photoFullScreen.moveCenter(ScreenRect().center());
  const QRect windowRect(layout.window, QSize(1200, 850));
  Start();

  // --- the window appears: the device picture pixel for pixel where it is opaque
  auto deviceShown = [&](const TShot& shot) { return DeviceShownAt(shot, device, layout.window); };
  TShot shot;
  ASSERT_TRUE(WaitFor([&] { return deviceShown(shot = Grab(windowRect)); }, 30000))
      << "the device picture did not appear";

  // Nothing is drawn outside the rounded outline: the root colour stays there.
  int outside = 0, rootShown = 0;
  for (int y = 0; y < 850; ++y) {
    for (int x : {0, 2, 4, 10, 20, 1179, 1189, 1195, 1199}) {
      const bool corner = (y < 44 || y > 805) && (x < 45 || x > 1154);
      if (!(x < 5 || x >= 1195 || y < 4 || y >= 845 || (corner && (x <= 10 || x >= 1189) && (y <= 10 || y >= 839))))
        continue;
      ++outside;
      rootShown += Near(At(shot, layout.window + QPoint(x, y)), kRootColour, 0);
    }
  }
  EXPECT_GT(outside, 100);
  EXPECT_EQ(rootShown, outside) << "pixels drawn outside the window's outline";

  // --- before the first photo the screen area shows the background picture
  // (On a machine so busy that the window shows only about when the interval
  // ends, the photo may come first: the background then shows beside it.)
  if (started.elapsed() < kDisplayInterval - 1000) {
    EXPECT_TRUE(WaitFor([&] { return AllNear(Grab(layout.view), layout.view, kBlue); }, 20000))
        << "background not shown";
  }

  // --- the first photo comes in after the display interval of about 3 s
  QColor photo;
  ASSERT_TRUE(WaitFor([&] { return (photo = WholePhoto(Grab(photoInWindow), photoInWindow)).isValid(); }, 30000))
      << "no photo arrived";
  EXPECT_GT(started.elapsed(), kDisplayInterval - 200);
  shot = Grab(layout.view);
  EXPECT_TRUE(Near(At(shot, layout.view.topLeft() + QPoint(20, 300)), kBlue)) << "tiled background beside the photo";

  // --- keys. Space at once pauses: the photo stays for more than two
  // display intervals while the note fades and leaves nothing behind.
  const QRect noteBox(layout.view.bottomLeft() + QPoint(16 + 4, -16 - 20), QSize(60, 14));
  auto noteShown = [&](const TShot& s) { return CountNear(s, noteBox, kBlue, 4) == 0; };
  auto otherPhoto = [&](QColor c) { return c == kRed ? kGreen : kRed; };
  const QRect photoAboveNote = photoInWindow.adjusted(0, 0, 0, -40);  // the note covers its bottom-left corner
  Xdotool({"mousemove", QString::number(layout.view.center().x()), QString::number(layout.view.center().y())});
  ASSERT_TRUE(WaitFor([&] { return WholePhoto(Grab(photoInWindow), photoInWindow).isValid(); }, 20000))
      << "no whole photo before the keys";
  photo = WholePhoto(Grab(photoInWindow), photoInWindow);
  Keys({"space"});
  ASSERT_TRUE(WaitFor([&] { return noteShown(shot = Grab(layout.view)); }, 10000)) << "no note after Space";
  SaveShot(shot, "note-paused.png");
  // Space may have come during a transition, which finishes first.
  ASSERT_TRUE(WaitFor([&] { return WholePhoto(Grab(photoAboveNote), photoAboveNote).isValid(); }, 20000));
  photo = WholePhoto(Grab(photoAboveNote), photoAboveNote);
  QElapsedTimer paused;
  paused.start();
  while (paused.elapsed() < 2 * kDisplayInterval + 500) {
    ASSERT_TRUE(AllNear(Grab(photoAboveNote), photoAboveNote, photo)) << "the photo changed while paused";
    Wait(250);
  }
  EXPECT_TRUE(WaitFor([&] { return !noteShown(Grab(layout.view)); }, 10000)) << "the note did not fade";
  EXPECT_TRUE(AllNear(Grab(photoInWindow), photoInWindow, photo)) << "the note left something behind";

  // Right, while paused, brings the other photo with a transition, the note
  // over it: the show itself would not have moved on.
  Keys({"Right"});
  bool noteOverTransition = false;
  ASSERT_TRUE(WaitFor(
      [&] {
        shot = Grab(layout.view);
        const int secondCount = CountNear(shot, photoAboveNote, otherPhoto(photo));
        if (secondCount > 0 && secondCount < 12 * 12 && noteShown(shot) && !noteOverTransition) {
          noteOverTransition = true;
          SaveShot(shot, "note-over-transition.png");
        }
        return secondCount == 12 * 12;
      },
      20000))
      << "Right did not bring the other photo";
  photo = otherPhoto(photo);

  // Space again resumes, and the other photo comes within an interval.
  Keys({"space"});
  EXPECT_TRUE(
      WaitFor([&] { return AllNear(Grab(photoInWindow), photoInWindow, otherPhoto(photo)); }, kDisplayInterval + 20000))
      << "Space did not resume the show";
  photo = otherPhoto(photo);

  // F11 goes full screen and comes back.
  Keys({"F11"});
  ASSERT_TRUE(WaitFor([&] { return CornersAre(kBlack); }, 20000)) << "F11 did not go full screen";
  SaveShot(Grab(), "f11-full-screen.png");
  Keys({"F11"});
  ASSERT_TRUE(WaitFor([&] { return CornersAre(kRootColour); }, 20000)) << "F11 did not come back";
  EXPECT_TRUE(WaitFor([&] { return deviceShown(shot = Grab(windowRect)); }, 20000)) << "the window is not back";

  // --- right click, "播放设置": the settings panel on its third page, whose
  // first button is green from its top; its OK button hides it.
  const QRect& pages = layout.pageControl;
  const int buttonX = pages.left() + 3 + 6;  // left of the button's caption
  auto openPanel = [&] {
    ClickForWindow(layout.view.topLeft() + QPoint(100, 100), 3);  // the context menu
    Keys({"Down", "Return"});
    int button5Top = -1;
    WaitFor(
        [&] {
          button5Top = FindRun(Grab(pages), buttonX, pages.top(), pages.top() + 90, kThemeGreen, 30);
          return button5Top >= 0;
        },
        20000);
    return button5Top < 0 ? -1 : button5Top - 3;  // the page's top
  };
  auto panelHidden = [&] {
    const TShot panel = Grab(pages);
    return FindRun(panel, buttonX, pages.top(), pages.top() + 90, kThemeGreen, 30) < 0 &&
           !Near(At(panel, {pages.left() + 150, pages.top() + 300}), QColor(0x26, 0x2a, 0x27), 4);
  };
  const int firstPageTop = openPanel();
  ASSERT_GE(firstPageTop, 0) << "the settings panel did not show its third page";
  Click({pages.left() + 3 + 93 + 48, firstPageTop + 374 + 13});
  EXPECT_TRUE(WaitFor(panelHidden, 20000)) << "OK did not hide the panel";

  // --- double click: the view covers the whole screen, black around the
  // photo, which keeps its size and is centred.
  Click(photoInWindow.center(), 1, 2);
  ASSERT_TRUE(WaitFor([&] { return CornersAre(kBlack); }, 20000))
      << "full screen is not painted: the corners show the screen as it was";
  const QRect aroundPhoto = photoFullScreen.adjusted(-40, -40, 40, 40);
  ASSERT_TRUE(WaitFor([&] { return WholePhoto(shot = Grab(aroundPhoto), photoFullScreen).isValid(); }, 20000))
      << "no photo in the middle of the full screen";
  EXPECT_TRUE(AllNear(shot, QRect(photoFullScreen.left() - 40, photoFullScreen.top(), 36, 600), kBlack));
  EXPECT_TRUE(AllNear(shot, QRect(photoFullScreen.right() + 5, photoFullScreen.top(), 36, 600), kBlack));
  EXPECT_TRUE(AllNear(shot, QRect(photoFullScreen.left(), photoFullScreen.top() - 40, 800, 36), kBlack));
  EXPECT_TRUE(AllNear(shot, QRect(photoFullScreen.left(), photoFullScreen.bottom() + 5, 800, 36), kBlack));

  // The cycle goes on at the screen's size: the other photo arrives within
  // two display intervals, and a frame of the transition is seen on the way.
  const QColor first = WholePhoto(shot, photoFullScreen);
  const QColor second = first == kRed ? kGreen : kRed;
  QElapsedTimer clock;
  clock.start();
  bool transitionSeen = false;
  ASSERT_TRUE(WaitFor(
      [&] {
        shot = Grab(photoFullScreen);
        const int firstCount = CountNear(shot, photoFullScreen, first),
                  secondCount = CountNear(shot, photoFullScreen, second);
        if (firstCount > 0 && secondCount > 0) transitionSeen = true;
        return secondCount == 12 * 12;
      },
      2 * kDisplayInterval + 20000))
      << "the next photo did not arrive in full screen";
  EXPECT_TRUE(transitionSeen) << "no transition frame seen in full screen";
  EXPECT_TRUE(CornersAre(kBlack));

  // --- Escape returns to the window: the desktop is seen again at the
  // corners, the device is back and its screen area shows the photo.
  Keys({"Escape"});
  ASSERT_TRUE(WaitFor([&] { return CornersAre(kRootColour); }, 20000)) << "Escape did not return";
  EXPECT_TRUE(WaitFor([&] { return deviceShown(shot = Grab(windowRect)); }, 20000)) << "the device window is not back";
  EXPECT_TRUE(WaitFor(
      [&] {
        shot = Grab(layout.view);
        return WholePhoto(shot, photoInWindow).isValid() &&
               Near(At(shot, layout.view.topLeft() + QPoint(20, 300)), kBlue);
      },
      2 * kDisplayInterval + 20000))
      << "the photo area is not painted after the return";

  // --- twenty round trips, during transitions too: each way the screen is
  // painted at once, nothing of the other state stays, and no shared memory
  // is left behind.
  const int segmentsBefore = SharedMemorySegmentsOf(program.processId());
  ASSERT_GE(segmentsBefore, 0);
  for (int trip = 0; trip < 20; ++trip) {
    Click(layout.view.topLeft() + QPoint(30 + trip * 7, 30), 1, 2);
    ASSERT_TRUE(WaitFor([&] { return CornersAre(kBlack); }, 20000)) << "trip " << trip << ": no full screen";
    Wait(trip * 37 % 300);  // lands at different points of the cycle
    Keys({"Escape"});
    ASSERT_TRUE(WaitFor(
        [&] {
          shot = Grab(layout.view);
          return CornersAre(kRootColour) && Near(At(shot, layout.view.topLeft() + QPoint(20, 300)), kBlue) &&
                 Near(At(shot, layout.view.bottomRight() - QPoint(20, 20)), kBlue);
        },
        20000))
        << "trip " << trip << ": the window is not back and painted";
  }
  EXPECT_TRUE(
      WaitFor([&] { return WholePhoto(Grab(photoInWindow), photoInWindow).isValid(); }, 2 * kDisplayInterval + 20000))
      << "no whole photo after the round trips";
  EXPECT_LE(SharedMemorySegmentsOf(program.processId()), segmentsBefore) << "shared-memory segments leaked";

  // --- after the round trips the settings panel still opens above the view
  const int pageTop = openPanel();
  ASSERT_GE(pageTop, 0) << "the settings panel did not show its third page";

  // The second tab lies just left of the third, the selected (green) one;
  // once the click is handled the third is green no longer (the second,
  // under the pointer, shows the pointer's colour).
  shot = Grab(pages);
  int tab3 = -1;
  for (int x = pages.left(); x < pages.right() && tab3 < 0; ++x) {
    if (Near(At(shot, {x, pages.top() + 8}), kThemeGreen, 12)) tab3 = x;
  }
  ASSERT_GE(tab3, 0) << "tab bar not found";
  Click({tab3 - 12, pages.top() + 8});
  ASSERT_TRUE(WaitFor(
      [&] {
        return !Near(At(Grab(pages), {tab3 + 2, pages.top() + 8}), kThemeGreen, 12);
      },
      20000))
      << "the second tab was not selected";

  // Background mode "None": black beside the photo instead of the blue tiles.
  const QPoint besidePhoto = layout.view.topLeft() + QPoint(20, 300);
  EXPECT_TRUE(Near(At(Grab(layout.view), besidePhoto), kBlue));
  ClickForWindow({pages.left() + 3 + 8 + 16 + 82, pageTop + 122 + 40 + 10});  // the drop-down list
  Keys({"Up", "Return"});
  EXPECT_TRUE(WaitFor([&] { return Near(At(Grab(layout.view), besidePhoto), kBlack, 8); }, 20000))
      << "the background mode did not change on screen";

  // OK on the second page hides the panel.
  Click({pages.left() + 3 + 93 + 48, pageTop + 379 + 13});
  EXPECT_TRUE(WaitFor(panelHidden, 20000)) << "OK did not hide the panel";

  // --- the exit button asks; No (Escape) keeps the slideshow going, Yes (the
  // default button) closes and opens the page.
  const QPoint exitButton = layout.window + QPoint(1139, 422);
  const int windowsShown = VisibleWindowsOf(program.processId());
  ClickForWindow(exitButton);  // the question
  Keys({"Escape"});
  // The question gone is the sign that No was handled.
  ASSERT_TRUE(WaitFor([&] { return VisibleWindowsOf(program.processId()) == windowsShown; }, 20000))
      << "the question did not close";
  EXPECT_EQ(program.state(), QProcess::Running) << "No closed the program";
  ClickForWindow(exitButton);
  Keys({"Return"});
  ASSERT_TRUE(program.waitForFinished(30000)) << "the program did not end";
  EXPECT_EQ(program.exitCode(), 0);
  ASSERT_TRUE(WaitFor([&] { return QFile::exists(folder.filePath("opened.txt")); }, 20000));
  QFile opened(folder.filePath("opened.txt"));
  ASSERT_TRUE(opened.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(opened.readAll()), QUrl::fromLocalFile(folder.filePath("maker.html")).toString());
}

// A phone photo stored on its side, with EXIF Orientation 6, stands upright
// in the view: 1200 x 1800 scaled to 453 x 680 in the middle of the screen
// area, the background on both sides, its pixels those of the upright picture.
TEST_F(Slideshow, PortraitPhotoStandsUpright) {
  ASSERT_TRUE(QFile::copy(VANTREL_EXIF_PICTURES "/Portrait_6.jpg", Photos() + "/portrait.jpg"));
  QImageReader reader(VANTREL_EXIF_PICTURES "/Portrait_6.jpg");
  reader.setAutoTransform(true);
  const QImage upright = reader.read().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(upright.size(), QSize(1200, 1800));
  const TLayout layout(ScreenRect().size());
  const QRect photo(layout.view.topLeft() + QPoint(269, 1), QSize(453, 680));
  const QImage expected = upright.scaled(photo.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
  auto difference = [&](const TShot& shot) {
    double sum = 0;
    int samples = 0;
    for (int y = 2; y < photo.height() - 2; y += 7) {
      for (int x = 2; x < photo.width() - 2; x += 7) {
        const QColor a = shot.At(photo.topLeft() + QPoint(x, y)), b = expected.pixelColor(x, y);
        sum += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
        samples += 3;
      }
    }
    return sum / samples;
  };
  Start();
  TShot shot;
  const bool shown = WaitFor([&] { return difference(shot = Grab(layout.view)) < 10; }, 30000);
  EXPECT_TRUE(shown) << "the upright photo did not appear; mean difference " << difference(shot);
  for (int x : {40, 200, 800, 950}) {
    EXPECT_TRUE(Near(shot.At(layout.view.topLeft() + QPoint(x, 340)), kBlue)) << "no background at " << x;
  }
}

// Under a device-pixel ratio of 2 the view paints its whole screen area at
// device pixels: the background picture reaches every corner of it.
TEST_F(Slideshow, PaintsTheWholeScreenAreaAtTwiceTheScale) {
  ASSERT_GE(ScreenRect().width(), 2400) << "needs a screen of at least 2400 x 1700";
  ASSERT_GE(ScreenRect().height(), 1700);
  const TLayout layout(ScreenRect().size(), 2);
  WritePicture(Photos() + "/red.jpg", kRed, 800, 600);
  Start({"QT_SCALE_FACTOR=2"});
  TShot shot;
  const bool painted = WaitFor([&] { return AllNear(shot = Grab(layout.view), layout.view, kBlue); }, 30000);
  EXPECT_TRUE(painted) << CountNear(shot, layout.view, kBlue)
                       << " of 144 points of the screen area show the background";
}

// On a screen smaller than the window, the window keeps its top edge and its
// exit button on screen, and a drag on the device frame moves it (by the
// window manager's move where there is one, by the program itself without).
TEST_F(Slideshow, SmallScreenKeepsTheExitButtonReachableAndTheFrameMoves) {
  ASSERT_LT(ScreenRect().width(), 1200) << "needs a screen narrower than the window";
  const QImage device(VANTREL_DEVICE_PICTURE);
  ASSERT_FALSE(device.isNull());
  WritePicture(Photos() + "/red.jpg", kRed, 400, 300);
  Start();
  const QPoint placed(ScreenRect().right() - kExitButton.right(), 0);
  TShot shot;
  ASSERT_TRUE(WaitFor([&] { return DeviceShownAt(shot = Grab(), device, placed); }, 20000))
      << "the window is not at " << placed.x() << ", " << placed.y();
  // The frame may show before the exit button is drawn over it.
  EXPECT_TRUE(WaitFor([&] { return ExitButtonShownAt(Grab(), device, placed); }, 20000))
      << "the exit button is not on screen";

  // Press on the top of the frame, drag by (100, 60) in small steps, let go.
  const QPoint grip = placed + QPoint(600, 30);
  Xdotool({"mousemove", QString::number(grip.x()), QString::number(grip.y()), "mousedown", "1"});
  for (int step = 1; step <= 10; ++step) {
    const QPoint at = grip + QPoint(10, 6) * step;
    Xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())});
    Wait(30);
  }
  Xdotool({"mouseup", "1"});
  const QPoint moved = placed + QPoint(100, 60);
  EXPECT_TRUE(WaitFor([&] { return DeviceShownAt(shot = Grab(), device, moved); }, 20000))
      << "the window did not follow the drag";
  Xdotool({"mousemove", "0", "0"});
  const QRect photo = TLayout(QSize(1200, 850)).PhotoInWindow({400, 300}).translated(moved);
  EXPECT_TRUE(WaitFor([&] { return WholePhoto(Grab(photo), photo).isValid(); }, 30000))
      << "no photo in the moved window";
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  std::unique_ptr<QProcess> windowManager;
  for (int i = 1; i < argc; ++i) {
    const QString argument = QString::fromLocal8Bit(argv[i]);
    if (argument.startsWith("--window-manager=")) gWindowManager = argument.section('=', 1);
  }
  PaintRoot(kRootColour);
  if (!gWindowManager.isEmpty()) {
    windowManager = std::make_unique<QProcess>();
    windowManager->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    windowManager->start(gWindowManager, {});
    if (!windowManager->waitForStarted(5000) || !WaitFor(WindowManagerRunning, 10000)) {
      std::fprintf(stderr, "the window manager %s did not start\n", qPrintable(gWindowManager));
      return 1;
    }
  }
  const int result = RUN_ALL_TESTS();
  if (windowManager) {
    windowManager->terminate();
    windowManager->waitForFinished(3000);
  }
  return result;
}
