// Placement of the picture, painting of frame and background, the dynamic old picture.
#include <gtest/gtest.h>

#include "platform/raster/pixel.h"
#include "test_vantrel.h"

namespace view::test {
namespace {

using raster::Rect;

// A picture whose every pixel differs: (x, y) holds x + 256 * y.
std::unique_ptr<raster::Bitmap> Numbered(int32_t w, int32_t h) {
  auto b = std::make_unique<raster::Bitmap>(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) b->SetPixel(x, y, 0xFF000000u | uint32_t(x + 256 * y));
  return b;
}

// Places a picture of w × h by preparing a paused transition.
Rect Place(TTestVantrel& v, int32_t w, int32_t h) {
  v.Stop();
  v.SetPictureSolid(w, h, 0x808080);
  v.SetManual(true);
  v.Execute();
  return v.DisplayRect();
}

TEST(Placement, DisplayRectFollowsCentreStretchAndProportion) {
  struct Case {
    int32_t clientW, clientH, frame, picW, picH;
    bool proportional, stretch;
    Rect expected;
  };
  const Case cases[] = {
      {992, 682, 1, 1200, 850, true, false, {16, 1, 976, 681}},
      {992, 682, 1, 800, 600, true, false, {96, 41, 896, 641}},
      {992, 682, 1, 800, 600, true, true, {42, 1, 949, 681}},
      {992, 682, 1, 600, 800, true, false, {241, 1, 751, 681}},
      {992, 682, 1, 1200, 850, false, false, {-104, -84, 1096, 766}},
      {992, 682, 1, 800, 600, false, true, {1, 1, 991, 681}},
      {100, 100, 0, 150, 50, true, false, {0, 33, 100, 66}},
      {100, 100, 0, 50, 50, true, true, {0, 0, 100, 100}},  // equal ratios: fills exactly
  };
  for (const Case& c : cases) {
    TTestVantrel v;
    v.WMSize(c.clientW, c.clientH);
    v.SetFrameWidth(c.frame);
    v.SetCenter(true);
    v.SetProportional(c.proportional);
    v.SetStretch(c.stretch);
    EXPECT_EQ(Place(v, c.picW, c.picH), c.expected)
        << c.picW << "x" << c.picH << " prop " << c.proportional << " stretch " << c.stretch;
    v.Stop();
  }
}

TEST(Placement, WithoutCentreTheDisplayIsInsetByTheFrame) {
  TTestVantrel v;
  v.SetFrameWidth(3);
  EXPECT_EQ(Place(v, 20, 10), (Rect{3, 3, 23, 13}));
  v.Stop();
}

// Paints the whole client area (or `area`) into a bitmap first filled with `under`.
raster::Bitmap Paint(TTestVantrel& v, Rect area = {}, uint32_t under = 0xDEADBEEF) {
  raster::Bitmap client(v.ClientWidth(), v.ClientHeight());
  client.Fill(under);
  TCanvas canvas(client);
  v.WMPaint(canvas, area.empty() ? client.Bounds() : area);
  return client;
}

uint32_t Rgb(TColor c) { return raster::PixelFromColor(c); }

TEST(Painting, AFrameOfWidth3FillsTheBandAroundTheDisplay) {
  TTestVantrel v;
  v.WMSize(120, 70);
  v.SetFrameWidth(3);
  v.SetCenter(true);
  v.SetFrameColor(0x0000FF);
  v.SetColor(0x00FF00);
  v.SetThreaded(false);
  v.fakeClock = true;
  v.SetPictureSolid(100, 50, 0xABCDEF);
  v.Execute();
  ASSERT_EQ(v.DisplayRect(), (Rect{10, 10, 110, 60}));
  const raster::Bitmap shown = Paint(v);
  const Rect frame{7, 7, 113, 63}, display{10, 10, 110, 60};
  for (int32_t y = 0; y < 70; ++y) {
    for (int32_t x = 0; x < 120; ++x) {
      const bool inDisplay = x >= display.left && x < display.right && y >= display.top && y < display.bottom;
      const bool inFrame = x >= frame.left && x < frame.right && y >= frame.top && y < frame.bottom;
      const uint32_t want = inDisplay ? 0xABCDEFu : inFrame ? Rgb(0x0000FF) : Rgb(0x00FF00);
      ASSERT_EQ(shown.Pixel(x, y) & 0xFFFFFF, want) << x << "," << y;
    }
  }
}

TEST(Painting, AnEmptyControlShowsTheBackgroundTiledFromTheTopLeft) {
  TTestVantrel v;
  v.WMSize(10, 9);
  v.BgPicture().SetGraphic(Numbered(4, 3));
  const raster::Bitmap shown = Paint(v);
  for (int32_t y = 0; y < 9; ++y)
    for (int32_t x = 0; x < 10; ++x) ASSERT_EQ(shown.Pixel(x, y) & 0xFFFF, uint32_t(x % 4 + 256 * (y % 3)));
  v.BgPicture().Clear();
  v.SetColor(0x112233);
  EXPECT_EQ(Paint(v).Pixel(9, 8) & 0xFFFFFF, Rgb(0x112233)) << "no background picture: Color";
}

TEST(Painting, TilesStayAnchoredToTheRectangleWhenOnlyPartIsRepainted) {
  raster::Bitmap surface(20, 20);
  surface.Fill(0xDEADBEEF);
  TCanvas canvas(surface);
  canvas.IntersectClipRect({9, 8, 20, 20});
  const auto tile = Numbered(4, 3);
  DrawTile(canvas, {3, 2, 20, 20}, *tile, true);
  for (int32_t y = 0; y < 20; ++y) {
    for (int32_t x = 0; x < 20; ++x) {
      const uint32_t want =
          (x >= 9 && y >= 8) ? uint32_t((x - 3) % 4 + 256 * ((y - 2) % 3)) | 0xFF000000u : 0xDEADBEEFu;
      ASSERT_EQ(surface.Pixel(x, y), want) << x << "," << y;
    }
  }
}

TEST(Painting, ACentredBackgroundLargerThanTheControlLeavesNoColourVisible) {
  TTestVantrel v;
  v.WMSize(10, 10);
  v.SetColor(0x00FF00);
  v.SetBgMode(bmCentered);
  v.BgPicture().SetGraphic(Numbered(30, 30));
  const raster::Bitmap shown = Paint(v);
  for (int32_t y = 0; y < 10; ++y)
    for (int32_t x = 0; x < 10; ++x) ASSERT_EQ(shown.Pixel(x, y) & 0xFFFF, uint32_t(x + 10 + 256 * (y + 10)));
}

TEST(Painting, ACentredSmallBackgroundHasColourAroundIt) {
  TTestVantrel v;
  v.WMSize(10, 10);
  v.SetColor(0x00FF00);
  v.SetBgMode(bmCentered);
  v.BgPicture().SetGraphic(Numbered(4, 4));
  const raster::Bitmap shown = Paint(v);
  EXPECT_EQ(shown.Pixel(3, 3) & 0xFFFF, 0u);
  EXPECT_EQ(shown.Pixel(6, 6) & 0xFFFF, 3u + 256 * 3);
  EXPECT_EQ(shown.Pixel(2, 3) & 0xFFFFFF, Rgb(0x00FF00));
  EXPECT_EQ(shown.Pixel(7, 7) & 0xFFFFFF, Rgb(0x00FF00));
}

TEST(Painting, ARepaintInsideTheDisplayCopiesOnlyTheDisplay) {
  TTestVantrel v;
  v.WMSize(50, 50);
  v.SetCenter(true);
  v.SetThreaded(false);
  v.fakeClock = true;
  v.SetPictureSolid(20, 20, 0x445566);
  v.Execute();
  const raster::Rect d = v.DisplayRect();
  const raster::Bitmap shown = Paint(v, {d.left + 2, d.top + 2, d.right - 2, d.bottom - 2});
  EXPECT_EQ(shown.Pixel(d.left + 5, d.top + 5) & 0xFFFFFF, 0x445566u);
  EXPECT_EQ(shown.Pixel(d.left + 1, d.top + 1), 0xDEADBEEFu) << "outside the repaint: untouched";
  EXPECT_EQ(shown.Pixel(0, 0), 0xDEADBEEFu);
}

TEST(OldPicture, OverDrawStartsFromTheFrameOnScreenOtherwiseFromTheBackground) {
  for (bool overDraw : {true, false}) {
    TTestVantrel v;
    v.SetThreaded(false);
    v.fakeClock = true;
    v.SetColor(0x0000FF);
    v.SetOverDraw(overDraw);
    v.SetPictureSolid(20, 20, 0x111111);
    v.Execute();
    uint32_t oldPixel = 0;
    v.SetOnStart([&](TCustomVantrel&, raster::Bitmap&, raster::Bitmap& old) { oldPixel = old.Pixel(5, 5); });
    v.SetPictureSolid(20, 20, 0x222222);
    v.Execute();
    EXPECT_EQ(oldPixel & 0xFFFFFF, overDraw ? 0x111111u : Rgb(0x0000FF)) << "OverDraw " << overDraw;

    // A picture of another size always starts from the background.
    v.SetPictureSolid(10, 20, 0x333333);
    v.Execute();
    EXPECT_EQ(oldPixel & 0xFFFFFF, Rgb(0x0000FF)) << "OverDraw " << overDraw;
  }
}

TEST(OldPicture, TheDynamicOldPictureIsTheBackgroundBehindTheDisplayScaledToThePicture) {
  TTestVantrel v;
  v.WMSize(40, 30);
  v.SetCenter(true);
  v.BgPicture().SetGraphic(Numbered(40, 30));
  v.SetBgMode(bmStretched);
  raster::Bitmap old;
  v.SetOnStart([&](TCustomVantrel&, raster::Bitmap&, raster::Bitmap& o) { old.Assign(o); });
  v.SetManual(true);
  v.SetPictureSolid(10, 10, 0);
  v.Execute();
  ASSERT_EQ(v.DisplayRect(), (Rect{15, 10, 25, 20}));
  EXPECT_EQ(old.Pixel(0, 0) & 0xFFFF, uint32_t(15 + 256 * 10));
  EXPECT_EQ(old.Pixel(9, 9) & 0xFFFF, uint32_t(24 + 256 * 19));
  v.Stop();
}

TEST(OldPicture, ResizingDuringATransitionFromTheBackgroundRecapturesIt) {
  TTestVantrel v;
  v.WMSize(40, 30);
  v.SetCenter(true);
  v.BgPicture().SetGraphic(Numbered(64, 64));  // tiled: the background is position-dependent
  v.SetManual(true);
  v.SetPictureSolid(10, 10, 0);
  v.Execute();
  v.SetProgress(0);
  v.WMSize(60, 50);  // the display moves to (25, 20)
  ASSERT_EQ(v.DisplayRect(), (Rect{25, 20, 35, 30}));
  raster::Bitmap shown;
  v.CopyDisplay(shown);  // paused at 0: the display shows the old picture
  EXPECT_EQ(shown.Pixel(0, 0) & 0xFFFF, uint32_t(25 + 256 * 20));
  EXPECT_EQ(shown.Pixel(9, 9) & 0xFFFF, uint32_t(34 + 256 * 29));
  // A background change is captured again as well.
  v.SetBgMode(bmNone);
  v.CopyDisplay(shown);
  EXPECT_EQ(shown.Pixel(0, 0) & 0xFFFFFF, Rgb(ColorToRGB(v.Color())));
  v.Stop();
}

}  // namespace
}  // namespace view::test
