#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

// The widget tests need an application object; they run on the offscreen
// platform unless the environment asks for another.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
