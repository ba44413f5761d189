// The picture holder: loading, copying, change notification, drawing.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/picture_error.h"
#include "test_vantrel.h"

namespace view::test {
namespace {

namespace fs = std::filesystem;

TEST(Picture, LoadsByExtensionWithoutRegardToCaseAndNotifiesOnce) {
  const fs::path source = fs::path(VANTREL_TEST_DATA) / "jpeg/edge/jd_jpg-size-33x33.jpg";
  const fs::path upper = fs::temp_directory_path() / "vantrel_view_test_PHOTO.JPG";
  fs::copy_file(source, upper, fs::copy_options::overwrite_existing);
  TPicture p;
  int changes = 0;
  p.SetOnChange([&](TPicture&) { ++changes; });
  p.LoadFromFile(upper);
  fs::remove(upper);
  EXPECT_EQ(p.Width(), 33);
  EXPECT_EQ(p.Height(), 33);
  EXPECT_FALSE(p.Empty());
  EXPECT_EQ(changes, 1);

  TPicture copy;
  copy.Assign(p);
  EXPECT_EQ(copy.Width(), 33);
  EXPECT_EQ(copy.Graphic()->Pixel(5, 5), p.Graphic()->Pixel(5, 5));
  EXPECT_NE(copy.Graphic(), p.Graphic());
}

TEST(Picture, AFailedLoadKeepsTheOldGraphicAndNamesTheFile) {
  TPicture p;
  p.SetGraphic(SolidBitmap(3, 2, 0));
  int changes = 0;
  p.SetOnChange([&](TPicture&) { ++changes; });
  for (const char* name : {"/nonexistent/photo.JPG", "/nonexistent/photo.gif"}) {
    try {
      p.LoadFromFile(name);
      ADD_FAILURE() << name << " loaded";
    } catch (const std::exception& e) {
      EXPECT_NE(std::string(e.what()).find("photo."), std::string::npos) << e.what();
    }
    EXPECT_EQ(p.Width(), 3);
    EXPECT_EQ(p.Height(), 2);
  }
  EXPECT_EQ(changes, 0);
}

TEST(Picture, TransparentPartsOfANewPictureShowTheControlColour) {
  TTestVantrel v;
  auto graphic = std::make_unique<raster::Bitmap>(2, 1);
  graphic->SetPixel(0, 0, 0x00FF0000u);  // fully transparent red
  graphic->SetPixel(1, 0, 0xFF0000FFu);  // opaque blue
  v.Picture().SetGraphic(std::move(graphic));
  v.SetColor(0x00FF00);  // green
  v.SetManual(true);
  v.Execute();
  v.SetProgress(100);
  raster::Bitmap shown;
  v.CopyDisplay(shown);
  EXPECT_EQ(shown.Pixel(0, 0) & 0xFFFFFF, raster::PixelFromColor(0x00FF00));
  EXPECT_EQ(shown.Pixel(1, 0) & 0xFFFFFF, 0x0000FFu);
  v.Stop();
}

}  // namespace
}  // namespace view::test
