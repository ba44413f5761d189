// The window tests run on Qt's offscreen platform: no display needed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <cstdlib>

#include "app/resources_init.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Project22"));
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  app::InitResources();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
