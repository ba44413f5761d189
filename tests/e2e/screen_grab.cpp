// Saves the whole X screen as a PNG: e2e_screen_grab OUT.png
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUT.png\n", argv[0]);
    return 2;
  }
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen || !screen->grabWindow(0).save(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "cannot grab the screen into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
