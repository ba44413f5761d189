// The note laid over the view: how long it stays, where it lies, and that
// blending it touches only the pixels it covers inside the area asked for.
#include "view/note_overlay.h"

#include <gtest/gtest.h>

namespace {

using view::TNoteOverlay;

TEST(NoteOverlay, StaysAboutTwoSecondsThenFadesOut) {
  TNoteOverlay note;
  EXPECT_EQ(note.Opacity(0), 0) << "nothing shown yet";
  note.Show("a.jpg\n1 / 3", 1.0, 1000);
  struct Case {
    int64_t age;
    int opacity;
  } cases[] = {{0, 255},
               {TNoteOverlay::kVisibleMs - 1, 255},
               {TNoteOverlay::kVisibleMs + TNoteOverlay::kFadeMs / 2, 127},
               {TNoteOverlay::kVisibleMs + TNoteOverlay::kFadeMs, 0},
               {60000, 0}};
  for (const Case& c : cases) EXPECT_NEAR(note.Opacity(1000 + c.age), c.opacity, 1) << c.age;
  note.Show("a.jpg\n1 / 3", 1.0, 5000);  // shown again: full time again
  EXPECT_EQ(note.Opacity(5000 + TNoteOverlay::kVisibleMs - 1), 255);
  note.Hide();
  EXPECT_EQ(note.Opacity(5000), 0);
  EXPECT_TRUE(note.Place(800, 600).empty());
}

TEST(NoteOverlay, LiesInTheBottomLeftCornerAtTheDevicePixelRatio) {
  TNoteOverlay note;
  note.Show("photo.jpg\n12 / 240", 1.0, 0);
  const raster::Rect one = note.Place(800, 600);
  ASSERT_FALSE(one.empty());
  EXPECT_EQ(one.left, 16);
  EXPECT_EQ(one.bottom, 600 - 16);
  EXPECT_GT(one.width(), one.height()) << "two short lines";
  note.Show("photo.jpg\n12 / 240", 2.0, 0);
  const raster::Rect two = note.Place(1600, 1200);
  EXPECT_EQ(two.left, 32);
  EXPECT_EQ(two.bottom, 1200 - 32);
  EXPECT_NEAR(two.height(), 2 * one.height(), 4);
  // A client area smaller than the note cuts it off, never beyond its edges.
  const raster::Rect tiny = note.Place(40, 30);
  EXPECT_GE(tiny.left, 0);
  EXPECT_GE(tiny.top, 0);
  EXPECT_LE(tiny.right, 40);
  EXPECT_LE(tiny.bottom, 30);
}

// Blends onto a white bitmap that shows the client area from `origin` on and
// counts the pixels that changed, inside and outside the note.
struct Blended {
  int inside = 0, outside = 0;
};

Blended Blend(const TNoteOverlay& note, raster::Point origin, const raster::Rect& area, int opacity) {
  raster::Bitmap target(400, 300);
  target.Fill(0xFFFFFF);
  note.BlendOnto(target, origin, area, 800, 600, opacity);
  const raster::Rect placed = note.Place(800, 600);
  Blended b;
  for (int32_t y = 0; y < target.Height(); ++y) {
    for (int32_t x = 0; x < target.Width(); ++x) {
      if ((target.Pixel(x, y) & 0xFFFFFF) == 0xFFFFFF) continue;
      const int32_t cx = x + origin.x, cy = y + origin.y;
      const bool in = cx >= placed.left && cx < placed.right && cy >= placed.top && cy < placed.bottom &&
                      cx >= area.left && cx < area.right && cy >= area.top && cy < area.bottom;
      (in ? b.inside : b.outside)++;
    }
  }
  return b;
}

TEST(NoteOverlay, BlendsOnlyWhereItLiesInsideTheArea) {
  TNoteOverlay note;
  note.Show("photo.jpg\n12 / 240", 1.0, 0);
  const raster::Rect placed = note.Place(800, 600);
  const raster::Point bottomLeft{0, 300};  // the target shows the client area's bottom-left quarter
  const raster::Rect everything{0, 0, 800, 600};
  const Blended whole = Blend(note, bottomLeft, everything, 255);
  EXPECT_GT(whole.inside, placed.width() * placed.height() / 2) << "the dark box";
  EXPECT_EQ(whole.outside, 0);
  // Half of the note's area asked for: only that half changes.
  const raster::Rect leftHalf{0, 0, placed.left + placed.width() / 2, 600};
  const Blended half = Blend(note, bottomLeft, leftHalf, 255);
  EXPECT_EQ(half.outside, 0);
  EXPECT_GT(half.inside, whole.inside / 3);
  EXPECT_LT(half.inside, whole.inside * 2 / 3);
  // Gone, or on a target that shows another part of the client area: nothing.
  EXPECT_EQ(Blend(note, bottomLeft, everything, 0).inside, 0);
  const Blended elsewhere = Blend(note, {400, 0}, everything, 255);
  EXPECT_EQ(elsewhere.inside + elsewhere.outside, 0);
}

}  // namespace
