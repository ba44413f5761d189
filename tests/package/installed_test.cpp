// Runs the installed program (from an install prefix or an unpacked package)
// in an X server as a new user would: a fresh home, an English locale. Checks
// the device window, the album made in the user's data folder and the photos
// playing in the device's screen.
//   installed_tests <prefix>       (the folder holding bin/ and share/)
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <utility>

#include "wait_for.h"
#include "x11_root.h"

namespace {

QString gPrefix;

// A 1600x1200 screen with the 1200x850 window centred on it.
constexpr QPoint kWindow{200, 175};
constexpr QRect kPanel1{104, 80, 994, 684};  // window coordinates
constexpr QRect kViewOnScreen{200 + 105, 175 + 81, 992, 682};
const QColor kRootColour(255, 0, 255);  // never drawn by the program

bool Near(QColor a, QColor b, int tolerance) {
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
         std::abs(a.blue() - b.blue()) <= tolerance;
}

QImage Grab() {
  return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
}

using test_support::WaitFor;

// The text tesseract reads in `area` of the screen, enlarged for it four times.
QString ReadText(const QRect& area) {
  QImage shot = QGuiApplication::primaryScreen()
                    ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                    .toImage()
                    .convertToFormat(QImage::Format_Grayscale8)
                    .scaled(area.size() * 4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  // Dark text on light reads best.
  shot.invertPixels();
  QTemporaryDir dir;
  const QString picture = dir.filePath("text.png");
  if (!shot.save(picture)) return {};
  if (qEnvironmentVariableIsSet("INSTALLED_TEST_SHOT")) shot.save(qEnvironmentVariable("INSTALLED_TEST_SHOT"));
  QProcess ocr;
  ocr.start("tesseract", {picture, "stdout", "--psm", "6"});
  if (!ocr.waitForFinished(30000)) return {};
  return QString::fromUtf8(ocr.readAllStandardOutput());
}

void Xdotool(const QStringList& arguments) {
  ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), arguments), 0) << arguments.join(' ').toStdString();
}

QByteArray Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The share of sampled points of the view's screen area that differ between two shots.
double ChangedShare(const QImage& a, const QImage& b) {
  int sampled = 0, changed = 0;
  for (int y = kViewOnScreen.top() + 4; y < kViewOnScreen.bottom() - 4; y += 9) {
    for (int x = kViewOnScreen.left() + 4; x < kViewOnScreen.right() - 4; x += 9) {
      ++sampled;
      changed += !Near(a.pixelColor(x, y), b.pixelColor(x, y), 20);
    }
  }
  return double(changed) / sampled;
}

class InstalledProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QGuiApplication::platformName() == "xcb") << "needs an X server: run under xvfb-run";
    ASSERT_EQ(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 1600, 1200));
    ASSERT_TRUE(QFile::exists(Program())) << Program().toStdString();
    test_support::PaintRoot(kRootColour);
  }
  void TearDown() override {
    if (program.state() != QProcess::NotRunning) {
      program.kill();
      program.waitForFinished(3000);
    }
  }

  QString Program() const { return gPrefix + "/bin/Project22"; }
  QString Data() const { return gPrefix + "/share/vantrel"; }
  QString UserAlbum() const { return home.filePath(".local/share/vantrel/Photos"); }

  // A new user: an empty home, the default data folder, an English locale.
  void Start(const QString& language) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    env.remove("XDG_DATA_HOME");
    env.remove("XDG_CONFIG_HOME");  // remembered settings go below the temporary home
    env.remove("LC_ALL");
    env.remove("LC_MESSAGES");
    env.remove("LANGUAGE");
    env.insert("LANG", language);
    env.insert("QT_QPA_PLATFORM", "xcb");
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(home.path());
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(Program(), {});
    ASSERT_TRUE(program.waitForStarted(5000));
  }

  QTemporaryDir home;
  QProcess program;
};

TEST_F(InstalledProgram, ShowsTheDeviceAndPlaysTheDemonstrationAlbumFromTheUserDataFolder) {
  const QImage before = Grab();
  Start("en_US.UTF-8");

  // The device window: the dark rim around the screen area, which shows the
  // installed default background until the first photo comes; the root's
  // colour outside the rounded corner.
  auto deviceShown = [&](const QImage& shot) {
    int rim = 0, dark = 0;
    for (int x = 40; x < 1160; x += 10) {
      for (int y : {30, 60, 800, 830}) {
        ++rim;
        dark += shot.pixelColor(kWindow + QPoint(x, y)).value() < 110;
      }
    }
    return dark >= rim * 95 / 100 && shot.pixelColor(kWindow + QPoint(0, 0)) == kRootColour;
  };
  QImage shot;
  ASSERT_TRUE(WaitFor([&] { return deviceShown(shot = Grab()) && ChangedShare(before, shot) > 0.3; }, 30000))
      << "the device did not appear";
  const QImage firstShot = shot;

  // First start: the album in the user's data folder, the nine photos in it.
  QStringList expected;
  for (int number = 1001; number <= 1009; ++number) expected << QString("%1.jpg").arg(number);
  ASSERT_EQ(QDir(UserAlbum()).entryList(QDir::Files, QDir::Name).join(" ").toStdString(),
            expected.join(" ").toStdString());
  EXPECT_EQ(Read(UserAlbum() + "/1003.jpg"), Read(Data() + "/Photos/1003.jpg"));

  // A photo comes in after the display interval and fills much of the screen area.
  ASSERT_TRUE(WaitFor([&] { return ChangedShare(firstShot, Grab()) > 0.3; }, 30000)) << "no photo arrived";
  // Once its transition has ended the photo holds still: two shots running
  // show the same.
  QImage playing = Grab();
  ASSERT_TRUE(WaitFor(
      [&] {
        const QImage previous = std::exchange(playing, Grab());
        return ChangedShare(previous, playing) == 0;
      },
      30000))
      << "the photo never held still";
  EXPECT_TRUE(deviceShown(playing));
  // ... and another one a few seconds later.
  EXPECT_TRUE(WaitFor([&] { return ChangedShare(playing, Grab()) > 0.3; }, 30000)) << "the slideshow stopped";
  EXPECT_EQ(program.state(), QProcess::Running);

  // The context menu speaks English.
  const QPoint click = kViewOnScreen.topLeft() + QPoint(100, 100);
  Xdotool({"mousemove", QString::number(click.x()), QString::number(click.y()), "click", "3"});
  QString menu;
  EXPECT_TRUE(
      WaitFor([&] { return (menu = ReadText(QRect(click, QSize(260, 90)))).contains("Playback settings"); }, 30000))
      << "the menu reads: " << menu.toStdString();
  EXPECT_TRUE(menu.contains("Full screen")) << "the menu reads: " << menu.toStdString();
  EXPECT_TRUE(menu.contains("Export video")) << "the menu reads: " << menu.toStdString();
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 2) {
    fprintf(stderr, "usage: installed_tests <install prefix>\n");
    return 2;
  }
  gPrefix = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
  return RUN_ALL_TESTS();
}
