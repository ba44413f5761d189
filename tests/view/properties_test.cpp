// Defaults, setters and style names.
#include <gtest/gtest.h>

#include "effects/catalogue.h"
#include "test_vantrel.h"

namespace view::test {
namespace {

TEST(Properties, ANewControlHasItsDefaults) {
  TTestVantrel v;
  EXPECT_EQ(v.Style(), 51);
  EXPECT_EQ(v.StyleName(), "Appear and Contract to middle");
  EXPECT_EQ(v.Step(), 4);
  EXPECT_EQ(v.Delay(), 40);
  EXPECT_EQ(v.BgMode(), bmTiled);
  EXPECT_TRUE(v.Threaded());
  EXPECT_TRUE(v.OverDraw());
  EXPECT_FALSE(v.Manual() || v.Reverse() || v.ExactTiming() || v.Center() || v.Stretch() || v.Proportional());
  EXPECT_EQ(v.FrameWidth(), 0);
  EXPECT_EQ(v.FrameColor(), clActiveBorder);
  EXPECT_EQ(v.ClientWidth(), 100);
  EXPECT_EQ(v.ClientHeight(), 100);
  EXPECT_FALSE(v.Busy());
  EXPECT_TRUE(v.Empty());
  EXPECT_EQ(v.Progress(), 0);
  EXPECT_EQ(v.DisplayRect(), raster::Rect{});
}

TEST(Properties, StepIsKeptWithin1To100WithLargeValuesAt99) {
  const std::pair<uint16_t, uint16_t> cases[] = {{0, 1}, {1, 1}, {100, 100}, {101, 99}, {500, 99}};
  TTestVantrel v;
  for (auto [written, read] : cases) {
    v.SetStep(written);
    EXPECT_EQ(v.Step(), read) << "written " << written;
  }
}

TEST(Properties, StyleOutsideTheCatalogueIsIgnored) {
  TTestVantrel v;
  v.SetStyle(12);
  v.SetStyle(173);
  EXPECT_EQ(v.Style(), 12);
  v.SetStyle(255);
  EXPECT_EQ(v.Style(), 12);
}

TEST(Properties, StyleNamesAreMatchedIgnoringCaseWithTheLowerNumberWinning) {
  TTestVantrel v;
  const std::pair<const char*, int> cases[] = {
      {"custom", 0}, {"EXPAND FROM BOTTOM", 18}, {"expand in from top", 25}, {"Reveal from left", 5}};
  for (auto [name, style] : cases) {
    v.SetStyle(51);
    v.SetStyleName(name);
    EXPECT_EQ(v.Style(), style) << name;
  }
  v.SetStyleName("No such style");
  EXPECT_EQ(v.Style(), 5);
  v.SetStyle(33);
  EXPECT_EQ(v.StyleName(), "Expand from bottom");
  v.SetStyleName(v.StyleName());
  EXPECT_EQ(v.Style(), 18);
  v.SetStyle(0);
  EXPECT_EQ(v.StyleName(), "Custom");
}

TEST(Properties, GetStyleNamesAppendsTheCatalogueInOrder) {
  TTestVantrel v;
  std::vector<std::string> names;
  EXPECT_EQ(v.GetStyleNames(names), 172);
  ASSERT_EQ(names.size(), 172u);
  for (int s = 1; s <= 172; ++s) EXPECT_EQ(names[s - 1], effects::VantrelEffects[s].Name);
  EXPECT_EQ(v.GetStyleNames(names), 172);
  EXPECT_EQ(names.size(), 344u);
  EXPECT_EQ(names[172], names[0]);
}

// Counts repaints asked for.
struct CountingVantrel : TTestVantrel {
  int invalidations = 0;
  void Invalidate() override { ++invalidations; }
};

TEST(Properties, FrameColorRepaintsOnlyWhenAFrameIsShown) {
  CountingVantrel v;
  v.SetPictureSolid(10, 10, 0xFF);
  v.SetManual(true);
  v.Execute();
  v.invalidations = 0;
  v.SetFrameColor(0x0000FF);
  EXPECT_EQ(v.invalidations, 0) << "FrameWidth 0";
  v.SetFrameWidth(2);
  v.invalidations = 0;
  v.SetFrameColor(0x00FF00);
  EXPECT_EQ(v.invalidations, 1);
  v.SetFrameColor(0x00FF00);
  EXPECT_EQ(v.invalidations, 1) << "unchanged";
  v.Stop();
}

TEST(Properties, PictureChangesRaiseOnChangeButNotWhileAFrameIsPrepared) {
  TTestVantrel v;
  int changes = 0;
  v.SetOnChange([&](TCustomVantrel&) { ++changes; });
  v.SetPictureSolid(10, 10, 0xFF);
  EXPECT_EQ(changes, 1);
  v.SetManual(true);
  v.Execute();
  EXPECT_EQ(changes, 1);
  // A new picture during a transition changes nothing on screen; the next Execute uses it.
  raster::Bitmap before, after;
  v.CopyDisplay(before);
  v.SetPictureSolid(20, 20, 0xFF00);
  EXPECT_EQ(changes, 2);
  v.CopyDisplay(after);
  EXPECT_EQ(before.Width(), after.Width());
  v.Stop();
}

TEST(Properties, ClearEmptiesTheDisplayOnlyWhenIdle) {
  TTestVantrel v;
  v.SetPictureSolid(10, 10, 0xFF);
  v.SetManual(true);
  v.Execute();
  v.Clear();
  EXPECT_NE(v.PicRect(), raster::Rect{}) << "busy: nothing happens";
  v.Stop();
  v.Clear();
  EXPECT_EQ(v.PicRect(), raster::Rect{});
  EXPECT_EQ(v.DisplayRect(), raster::Rect{});
  raster::Bitmap shown;
  v.CopyDisplay(shown);
  EXPECT_TRUE(shown.Empty());
}

TEST(Properties, CanAutoSizeFollowsThePictureAndTheAlignment) {
  TTestVantrel v;
  v.SetPictureSolid(60, 40, 0xFF);
  v.SetFrameWidth(2);
  const struct {
    TAlign align;
    int32_t w, h;
  } cases[] = {{alNone, 64, 44}, {alTop, 7, 44}, {alLeft, 64, 9}, {alClient, 7, 9}};
  for (const auto& c : cases) {
    v.SetAlign(c.align);
    int32_t w = 7, h = 9;
    EXPECT_TRUE(v.CanAutoSize(w, h));
    EXPECT_EQ(w, c.w);
    EXPECT_EQ(h, c.h);
  }
}

}  // namespace
}  // namespace view::test
