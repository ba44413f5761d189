// A picture placed smaller than its natural size is reduced by area averaging
// once, when its transition starts; the frames work on the reduced picture.
#include <gtest/gtest.h>

#include <algorithm>

#include "test_vantrel.h"

namespace view::test {
namespace {

using raster::Rect;

std::unique_ptr<raster::Bitmap> Checkerboard(int32_t w, int32_t h) {
  auto b = std::make_unique<raster::Bitmap>(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) b->SetPixel(x, y, (x + y) % 2 ? 0xFFFFFFFFu : 0xFF000000u);
  return b;
}

struct Range {
  int lowest = 255, highest = 0;
};

// The range of the green bytes of a bitmap.
Range GreenRange(const raster::Bitmap& b) {
  Range r;
  for (int32_t y = 0; y < b.Height(); ++y) {
    for (int32_t x = 0; x < b.Width(); ++x) {
      const int g = int((b.Pixel(x, y) >> 8) & 0xFF);
      r.lowest = std::min(r.lowest, g);
      r.highest = std::max(r.highest, g);
    }
  }
  return r;
}

// A one-pixel checkerboard shown at half size (and at an uneven share) is
// mid-grey on screen, not a coarser checkerboard or a flat black or white.
TEST(ReducedPlacement, AFineCheckerboardPlacedSmallerIsMidGrey) {
  struct Case {
    int32_t clientW, clientH;
    Rect display;
    int tolerance;
  };
  const Case cases[] = {
      {300, 200, {0, 0, 300, 200}, 1},  // 2 : 1
      {320, 220, {0, 3, 320, 216}, 24},  // 1.875 : 1
  };
  for (const Case& c : cases) {
    TTestVantrel v;
    v.WMSize(c.clientW, c.clientH);
    v.SetCenter(true);
    v.SetProportional(true);
    raster::Bitmap newPicture;
    v.SetOnStart([&](TCustomVantrel&, raster::Bitmap& pic, raster::Bitmap&) { newPicture.Assign(pic); });
    v.Picture().SetGraphic(Checkerboard(600, 400));
    v.SetManual(true);
    v.Execute();
    ASSERT_EQ(v.DisplayRect(), c.display);
    EXPECT_EQ(newPicture.Width(), c.display.width()) << "reduced once, to the placed size";
    EXPECT_EQ(newPicture.Height(), c.display.height());
    v.SetProgress(100);
    raster::Bitmap shown;
    v.CopyDisplay(shown);
    ASSERT_EQ(shown.Width(), c.display.width());
    const Range range = GreenRange(shown);
    EXPECT_GE(range.lowest, 128 - c.tolerance) << c.clientW << " x " << c.clientH;
    EXPECT_LE(range.highest, 128 + c.tolerance) << c.clientW << " x " << c.clientH;
    v.Stop();
  }
}

// Placed at natural size or larger, the picture is not resampled: the frames
// copy it whole, and the screen copy enlarges it as before.
TEST(ReducedPlacement, APicturePlacedAtOrAboveItsSizeStaysNatural) {
  struct Case {
    bool proportional, stretch;
    int32_t picW, picH;
  };
  const Case cases[] = {
      {true, false, 60, 40},  // fits: natural size
      {true, true, 60, 40},  // enlarged to fit
      {false, false, 600, 400},  // neither: natural size, the window clips
  };
  for (const Case& c : cases) {
    TTestVantrel v;
    v.WMSize(300, 200);
    v.SetProportional(c.proportional);
    v.SetStretch(c.stretch);
    raster::Bitmap newPicture;
    v.SetOnStart([&](TCustomVantrel&, raster::Bitmap& pic, raster::Bitmap&) { newPicture.Assign(pic); });
    v.Picture().SetGraphic(Checkerboard(c.picW, c.picH));
    v.SetManual(true);
    v.Execute();
    ASSERT_EQ(newPicture.Width(), c.picW);
    EXPECT_EQ(newPicture.Pixel(0, 0), 0xFF000000u);
    EXPECT_EQ(newPicture.Pixel(1, 0), 0xFFFFFFFFu);
    EXPECT_EQ(v.PicRect(), (Rect{0, 0, c.picW, c.picH}));
    v.Stop();
  }
}

// A transparent picture is laid over the control's colour before it is
// reduced, as it is when shown unreduced.
TEST(ReducedPlacement, TransparentPicturesAreBlendedOverTheColourFirst) {
  TTestVantrel v;
  v.WMSize(50, 50);
  v.SetProportional(true);
  v.SetColor(0x00336699);  // 0x00BBGGRR
  raster::Bitmap newPicture;
  v.SetOnStart([&](TCustomVantrel&, raster::Bitmap& pic, raster::Bitmap&) { newPicture.Assign(pic); });
  auto clear = std::make_unique<raster::Bitmap>(100, 100);
  clear->Fill(0x00FFFFFFu);  // alpha 0 everywhere
  v.Picture().SetGraphic(std::move(clear));
  v.SetManual(true);
  v.Execute();
  ASSERT_EQ(newPicture.Width(), 50);
  EXPECT_EQ(newPicture.Pixel(25, 25) & 0xFFFFFF, 0x996633u);
  v.Stop();
}

}  // namespace
}  // namespace view::test
