#include "demo_photos.h"

#include "scenes.h"
#include "seeded_random.h"

namespace pictures {

const std::array<TDemoPhoto, 9>& DemoPhotos() {
  static const std::array<TDemoPhoto, 9> kPhotos = {{
      {1001, QSize(1024, 768), DrawSunsetHills},
      {1002, QSize(1280, 720), DrawSnowyMountains},
      {1003, QSize(2400, 1600), DrawSeaShore},
      {1004, QSize(768, 1024), DrawLowPolyAbstract},
      {1005, QSize(1024, 768), DrawStarryNight},
      {1006, QSize(600, 900), DrawFlowerMeadow},
      {1007, QSize(1280, 720), DrawCitySkyline},
      {1008, QSize(320, 240), DrawTestCard},
      {1009, QSize(1024, 768), DrawMistyForest},
  }};
  return kPhotos;
}

QImage DrawDemoPhoto(const TDemoPhoto& photo) {
  QImage image(photo.size, QImage::Format_RGB32);
  image.fill(Qt::black);
  TSeededRandom random(static_cast<uint32_t>(photo.number));
  photo.draw(image, random);
  return image;
}

}  // namespace pictures
