// The window tests run on Qt's offscreen platform: no display needed. Its
// screen is a 1920 x 1080 desktop, large enough for the 1200 x 850 window
// (the platform's own 800 x 600 would have every window moved to keep its
// exit button on screen).
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QLocale>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/resources_init.h"

namespace {

// Writes the offscreen platform's screen description; returns its path.
std::string WriteScreenConfig() {
  char path[] = "/tmp/app_tests_screen_XXXXXX";
  const int fd = mkstemp(path);
  if (fd < 0) return {};
  const char kScreen[] =
      R"({"screens": [{"name": "desktop", "x": 0, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96,)"
      R"( "logicalBaseDpi": 96, "dpr": 1}]})";
  const bool written = write(fd, kScreen, sizeof kScreen - 1) == static_cast<ssize_t>(sizeof kScreen - 1);
  close(fd);
  return written ? std::string(path) : std::string();
}

}  // namespace

int main(int argc, char** argv) {
  const std::string screen = WriteScreenConfig();
  const std::string platform = screen.empty() ? "offscreen" : "offscreen:configfile=" + screen;
  setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
  QApplication application(argc, argv);
  if (!screen.empty()) std::remove(screen.c_str());  // read at start
  QApplication::setApplicationName(QStringLiteral("Project22"));
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  app::InitResources();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
