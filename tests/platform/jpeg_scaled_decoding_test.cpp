#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/jpeg_decoder.h"
#include "platform/picture_decoder.h"
#include "test_picture_writer.h"

namespace {

using test_pictures::JpegRecipe;

// Left half red, right half blue, so a scaled result shows which side is which.
JpegRecipe Halves(int width, int height) {
  JpegRecipe recipe{width, height, 3, 95, false, {}, false};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool left = x < width / 2;
      recipe.pixels.insert(recipe.pixels.end(), {uint8_t(left ? 230 : 20), 30, uint8_t(left ? 30 : 220)});
    }
  }
  return recipe;
}

// libjpeg rounds a scaled side up: ceil(side × eighths / 8). The sizes are odd
// so that the rounding decides some cases.
TEST(JpegScaledDecoding, PicksTheSmallestEighthThatCoversTheSize) {
  test_pictures::TempFolder folder;
  test_pictures::WriteJpeg(folder / "photo.jpg", Halves(803, 601));
  struct Case {
    raster::Size cover;
    raster::Size decoded;
  };
  const Case cases[] = {
      {{0, 0}, {803, 601}},  // no size: full
      {{100, 76}, {101, 76}},  // 1/8
      {{101, 76}, {101, 76}},  // 1/8 covers exactly
      {{201, 151}, {201, 151}},  // 2/8 covers exactly
      {{202, 151}, {302, 226}},  // one column more needs 3/8
      {{201, 152}, {302, 226}},  // one row more too
      {{100, 500}, {703, 526}},  // the height decides: 7/8
      {{700, 600}, {803, 601}},  // only the full picture covers
      {{1920, 1080}, {803, 601}},  // larger than the picture: full, not enlarged
  };
  for (const Case& c : cases) {
    const auto bitmap = platform::DecodeJpeg(folder / "photo.jpg", c.cover);
    EXPECT_EQ((raster::Size{bitmap->Width(), bitmap->Height()}), c.decoded)
        << "cover " << c.cover.width << " x " << c.cover.height << " gave " << bitmap->Width() << " x "
        << bitmap->Height();
  }
}

TEST(JpegScaledDecoding, ScaledPictureKeepsItsContentAndOpacity) {
  test_pictures::TempFolder folder;
  test_pictures::WriteJpeg(folder / "photo.jpg", Halves(800, 600));
  const auto bitmap = platform::DecodePicture(folder / "photo.jpg", {200, 150});
  ASSERT_EQ(bitmap->Width(), 200);
  const uint32_t left = bitmap->Pixel(40, 75), right = bitmap->Pixel(160, 75);
  EXPECT_EQ(left >> 24, 255u);
  EXPECT_NEAR(int((left >> 16) & 0xFF), 230, 4);
  EXPECT_NEAR(int(left & 0xFF), 30, 4);
  EXPECT_NEAR(int((right >> 16) & 0xFF), 20, 4);
  EXPECT_NEAR(int(right & 0xFF), 220, 4);
}

// A photo stored on its side (EXIF tags 5-8: 1200 x 1800 stored, 1800 x 1200
// upright) is scaled by the size it has once turned: the scale is chosen with
// the sides of the size to cover swapped. Chosen with them unswapped, a tall
// screen would get a picture too short to cover it, a wide one a needlessly
// large picture.
TEST(JpegScaledDecoding, QuarterTurnedPhotoIsScaledToCoverUpright) {
  const std::filesystem::path exifFolder = std::filesystem::path(VANTREL_TEST_DATA) / "jpeg" / "exif";
  struct Case {
    raster::Size cover;
    raster::Size decoded;  // upright
  };
  const Case cases[] = {
      {{900, 600}, {900, 600}},  // 4/8 exactly
      {{600, 900}, {1350, 900}},  // the height decides: 6/8
      {{901, 300}, {1125, 750}},  // one column more: 5/8
      {{1800, 1200}, {1800, 1200}},  // only the full picture covers
  };
  for (const char* name : {"Landscape_1", "Landscape_3", "Landscape_5", "Landscape_6", "Landscape_7", "Landscape_8"}) {
    for (const Case& c : cases) {
      const auto bitmap = platform::DecodePicture(exifFolder / (std::string(name) + ".jpg"), c.cover);
      EXPECT_EQ((raster::Size{bitmap->Width(), bitmap->Height()}), c.decoded)
          << name << ": cover " << c.cover.width << " x " << c.cover.height << " gave " << bitmap->Width() << " x "
          << bitmap->Height();
    }
  }
}

// Only JPEG has a cheap reduced decode; other types come at full size and are
// reduced where they are placed.
TEST(JpegScaledDecoding, OtherPictureTypesComeAtFullSize) {
  test_pictures::TempFolder folder;
  test_pictures::PngRecipe png{64, 48, 2, 8, false, {}, {}, {}};
  png.rows.assign(48, std::vector<uint8_t>(64 * 3, 90));
  test_pictures::WritePng(folder / "photo.png", png);
  const auto bitmap = platform::DecodePicture(folder / "photo.png", {8, 6});
  EXPECT_EQ(bitmap->Width(), 64);
  EXPECT_EQ(bitmap->Height(), 48);
}

}  // namespace
