// Saves the program's window as it shows on the X screen, with the window's
// outline as alpha: window_grab OUT.png X Y OUTLINE.png
// OUTLINE.png is a picture of the window's size whose alpha is the outline
// (the device picture); the screen is read at X, Y.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  if (argc != 5) {
    std::fprintf(stderr, "usage: %s OUT.png X Y OUTLINE.png\n", argv[0]);
    return 2;
  }
  const QImage outline(QString::fromLocal8Bit(argv[4]));
  QScreen* screen = QGuiApplication::primaryScreen();
  if (outline.isNull() || !screen) {
    std::fprintf(stderr, "cannot read %s or find the screen\n", argv[4]);
    return 1;
  }
  const int x = std::atoi(argv[2]), y = std::atoi(argv[3]);
  QImage window = screen->grabWindow(0, x, y, outline.width(), outline.height())
                      .toImage()
                      .convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&window);
  painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
  painter.drawImage(0, 0, outline);
  painter.end();
  if (!window.save(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
