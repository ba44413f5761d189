// Runs Project22 in an X server (xvfb-run) on a program folder of its own and
// checks what a person would see: screenshots of the whole screen, clicks and
// keys by xdotool.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>
#include <cstdlib>
#include <functional>

namespace {

// Screen layout: a 1600x1200 screen, the 1200x850 window centred on it.
constexpr QPoint kWindow{200, 175};
constexpr QRect kPanel1{104, 80, 994, 684};            // window coordinates
constexpr QRect kViewOnScreen{200 + 105, 175 + 81, 992, 682};
constexpr QRect kPageControl{200 + 105 - 1 + 304, 175 + 81 - 1 + 64, 297, 449};
const QPoint kViewCentre = kViewOnScreen.center();

const QColor kRed(220, 30, 30), kGreen(30, 200, 30), kBlue(40, 60, 220), kThemeGreen(0x3c, 0x9a, 0x3c),
    kTabGrey(0x32, 0x38, 0x33), kBlack(0, 0, 0);

bool Near(QColor a, QColor b, int tolerance = 24) {
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
         std::abs(a.blue() - b.blue()) <= tolerance;
}

QImage Grab() { return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32); }

QColor At(const QImage& image, QPoint p) { return image.pixelColor(p); }

void Wait(int ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(10);
  }
}

bool WaitFor(const std::function<bool()>& done, int ms) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > ms) return false;
    Wait(50);
  }
  return true;
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

// The first run of at least `length` rows of `color` in column x, from y0 to y1.
int FindRun(const QImage& shot, int x, int y0, int y1, QColor color, int length) {
  int run = 0;
  for (int y = y0; y < y1; ++y) {
    run = Near(At(shot, {x, y}), color, 12) ? run + 1 : 0;
    if (run == length) return y - length + 1;
  }
  return -1;
}

class Slideshow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QGuiApplication::platformName() == "xcb") << "needs an X server: run under xvfb-run";
    ASSERT_EQ(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 1600, 1200));
    // A program folder of its own: a blue default background, two photos.
    const QDir dir(folder.path());
    ASSERT_TRUE(QFile::copy(VANTREL_PROGRAM, dir.filePath("Project22")));
    QFile::setPermissions(dir.filePath("Project22"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_TRUE(QFile::copy(VANTREL_MAKER_PAGE, dir.filePath("maker.html")));
    WritePicture(dir.filePath("1002.jpg"), kBlue, 64, 64);
    dir.mkdir("Photos");
    WritePicture(dir.filePath("Photos/red.jpg"), kRed, 800, 600);
    WritePicture(dir.filePath("Photos/green.jpg"), kGreen, 800, 600);
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

  void Start() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PATH", folder.filePath("stub") + ":" + env.value("PATH"));
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.remove("XDG_CURRENT_DESKTOP");  // the plain desktop: links open through xdg-open
    env.remove("KDE_FULL_SESSION");
    env.remove("GNOME_DESKTOP_SESSION_ID");
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
  Xdotool({"mousemove", "10", "10"});
  const QImage before = Grab();
  const QImage device(VANTREL_DEVICE_PICTURE);
  ASSERT_FALSE(device.isNull());
  Start();

  // The window appears: the device picture pixel for pixel where it is opaque.
  auto deviceShown = [&](const QImage& shot) {
    int compared = 0, equal = 0;
    for (int y = 0; y < 850; y += 7) {
      for (int x = 0; x < 1200; x += 7) {
        if (qAlpha(device.pixel(x, y)) != 255 || kPanel1.adjusted(-2, -2, 2, 2).contains(x, y)) continue;
        if (QRect(1104, 389, 70, 67).contains(x, y)) continue;  // the exit button's highlight
        ++compared;
        equal += Near(At(shot, kWindow + QPoint(x, y)), device.pixelColor(x, y), 6);
      }
    }
    return compared > 1000 && equal >= compared * 99 / 100;
  };
  QImage shot;
  ASSERT_TRUE(WaitFor([&] { return deviceShown(shot = Grab()); }, 10000)) << "the device picture did not appear";

  // Nothing is drawn outside the rounded outline: the four corners keep the
  // screen that was there before.
  int outside = 0, unchanged = 0;
  for (int y = 0; y < 850; ++y) {
    for (int x : {0, 2, 4, 10, 20, 1179, 1189, 1195, 1199}) {
      const bool corner = (y < 44 || y > 805) && (x < 45 || x > 1154);
      if (!(x < 5 || x >= 1195 || y < 4 || y >= 845 || (corner && (x <= 10 || x >= 1189) && (y <= 10 || y >= 839))))
        continue;
      ++outside;
      unchanged += At(shot, kWindow + QPoint(x, y)) == At(before, kWindow + QPoint(x, y));
    }
  }
  EXPECT_GT(outside, 100);
  EXPECT_EQ(unchanged, outside) << "pixels drawn outside the window's outline";

  // Before the first photo the screen area shows the background picture.
  EXPECT_TRUE(WaitFor([&] { return Near(At(Grab(), kViewCentre), kBlue); }, 2000)) << "background not shown";
  EXPECT_LT(started.elapsed(), 2700);

  // The first photo comes in after the display interval of about 3 s.
  auto photoAtCentre = [&] {
    const QColor c = At(Grab(), kViewCentre);
    return Near(c, kRed) || Near(c, kGreen);
  };
  ASSERT_TRUE(WaitFor(photoAtCentre, 10000)) << "no photo arrived";
  const qint64 arrived = started.elapsed();
  EXPECT_GT(arrived, 2800);
  EXPECT_LT(arrived, 6500);
  shot = Grab();
  EXPECT_TRUE(Near(At(shot, kViewOnScreen.topLeft() + QPoint(20, 300)), kBlue)) << "tiled background beside the photo";

  // Double click: the view covers the whole screen, black around the photo.
  Click(kViewCentre, 1, 2);
  ASSERT_TRUE(WaitFor([&] { return Near(At(Grab(), {5, 5}), kBlack, 8); }, 3000)) << "no full screen";
  shot = Grab();
  EXPECT_TRUE(Near(At(shot, {1594, 1194}), kBlack, 8));
  const QColor middle = At(shot, {800, 600});
  EXPECT_TRUE(Near(middle, kRed) || Near(middle, kGreen) || middle.value() > 60);

  // Escape returns to the window.
  Keys({"Escape"});
  ASSERT_TRUE(WaitFor([&] { return At(Grab(), {5, 5}) == At(before, {5, 5}); }, 3000)) << "Escape did not return";
  EXPECT_TRUE(deviceShown(Grab()));

  // Right click, "播放设置": the settings panel on its third page, whose
  // first button is green from its top.
  Click(kViewOnScreen.topLeft() + QPoint(100, 100), 3);
  Wait(400);
  Keys({"Down", "Return"});
  const int buttonX = kPageControl.left() + 3 + 6;  // left of the button's caption
  int button5Top = -1;
  ASSERT_TRUE(WaitFor([&] {
    button5Top = FindRun(Grab(), buttonX, kPageControl.top(), kPageControl.top() + 90, kThemeGreen, 30);
    return button5Top >= 0;
  }, 3000)) << "the settings panel did not show its third page";
  const int pageTop = button5Top - 3;

  // The second tab lies just left of the third, the selected (green) one.
  shot = Grab();
  int tab2 = -1;
  for (int x = kPageControl.left(); x < kPageControl.right() && tab2 < 0; ++x) {
    if (Near(At(shot, {x, kPageControl.top() + 8}), kThemeGreen, 12)) tab2 = x - 12;
  }
  ASSERT_GE(tab2, 0) << "tab bar not found";
  Click({tab2, kPageControl.top() + 8});
  Wait(300);

  // Background mode "None": black beside the photo instead of the blue tiles.
  const QPoint besidePhoto = kViewOnScreen.topLeft() + QPoint(20, 300);
  EXPECT_TRUE(Near(At(Grab(), besidePhoto), kBlue));
  Click({kPageControl.left() + 3 + 8 + 16 + 82, pageTop + 122 + 40 + 10});
  Wait(400);
  Keys({"Up", "Return"});
  EXPECT_TRUE(WaitFor([&] { return Near(At(Grab(), besidePhoto), kBlack, 8); }, 3000))
      << "the background mode did not change on screen";

  // OK on the second page hides the panel.
  Click({kPageControl.left() + 3 + 93 + 48, pageTop + 379 + 13});
  EXPECT_TRUE(WaitFor([&] {
    return FindRun(Grab(), buttonX, kPageControl.top(), kPageControl.top() + 90, kThemeGreen, 30) < 0 &&
           !Near(At(Grab(), {kPageControl.left() + 150, kPageControl.top() + 300}), QColor(0x26, 0x2a, 0x27), 4);
  }, 3000)) << "OK did not hide the panel";

  // The exit button asks; Yes (the default button) closes and opens the page.
  Click(kWindow + QPoint(1139, 422));
  Wait(700);
  Keys({"Return"});
  ASSERT_TRUE(program.waitForFinished(8000)) << "the program did not end";
  EXPECT_EQ(program.exitCode(), 0);
  ASSERT_TRUE(WaitFor([&] { return QFile::exists(folder.filePath("opened.txt")); }, 5000));
  QFile opened(folder.filePath("opened.txt"));
  ASSERT_TRUE(opened.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(opened.readAll()), QUrl::fromLocalFile(folder.filePath("maker.html")).toString());
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
