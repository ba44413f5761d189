#pragma once
#include <QImage>
#include <QSize>
#include <array>

namespace pictures {

class TSeededRandom;

// One photo of the demonstration album, "<number>.jpg".
struct TDemoPhoto {
  int number;
  QSize size;
  void (*draw)(QImage& image, TSeededRandom& random);
};

// The nine demonstration photos 1001..1009: landscape, portrait, one larger
// than the view's screen and one much smaller, so every placement shows.
const std::array<TDemoPhoto, 9>& DemoPhotos();

// Draws one photo, seeded by its number so that every build makes the same one.
QImage DrawDemoPhoto(const TDemoPhoto& photo);

}  // namespace pictures
