#include "platform/picture_decoder.h"

#include <gtest/gtest.h>

#include <QImage>
#include <string>
#include <vector>

#include "platform/picture_error.h"
#include "test_picture_writer.h"

namespace {

namespace fs = std::filesystem;

TEST(PictureDecoder, ListsTheReadableExtensions) {
  const auto extensions = platform::ReadablePictureExtensions();
  EXPECT_EQ(std::vector<std::string_view>(extensions.begin(), extensions.end()),
            (std::vector<std::string_view>{"jpg", "jpeg", "png", "bmp", "ico", "tif", "tiff"}));
}

TEST(PictureDecoder, TellsReadableNamesByExtensionWithoutRegardToCase) {
  for (const char* name : {"a.jpg", "B.JPG", "c.Jpeg", "d.Png", "e.bmp", "f.ICO", "g.tif", "h.TiFf", "x.y.jpg"}) {
    EXPECT_TRUE(platform::IsReadablePictureName(name)) << name;
  }
  for (const char* name : {"a.gif", "b.jpe", "c.jpg.txt", "jpg", ".jpg", "d.", "e.jp", "f.emf", ""}) {
    EXPECT_FALSE(platform::IsReadablePictureName(name)) << name;
  }
}

// The extension chooses the decoder, whatever the content.
TEST(PictureDecoder, ChoosesTheDecoderByExtension) {
  test_pictures::TempFolder folder;
  const fs::path png = fs::path(VANTREL_TEST_DATA) / "pngsuite" / "basn2c08.png";
  fs::copy_file(png, folder / "UPPER.PNG");
  EXPECT_EQ(platform::DecodePicture(folder / "UPPER.PNG")->Width(), 32);

  fs::copy_file(png, folder / "disguised.jpg");
  fs::copy_file(png, folder / "animated.gif");
  const std::pair<const char*, const char*> cases[] = {
      {"disguised.jpg", "disguised.jpg: not a JPEG file (starts with 0x89 0x50)"},
      {"animated.gif", "animated.gif: unknown picture type \".gif\""},
  };
  for (const auto& [name, message] : cases) {
    try {
      platform::DecodePicture(folder / name);
      ADD_FAILURE() << name << " decoded";
    } catch (const platform::PictureError& error) {
      EXPECT_STREQ(error.what(), message);
    }
  }
}

// BMP, ICO and TIFF go through Qt's readers; pixels come back exactly, with
// straight alpha, and opaque formats get alpha 255.
TEST(PictureDecoder, QtFormatsRoundTrip) {
  struct Case {
    const char* name;
    const char* format;
    QImage::Format pixelFormat;
  };
  test_pictures::TempFolder folder;
  for (const Case& c :
       {Case{"opaque.bmp", "BMP", QImage::Format_RGB32}, Case{"clear.ico", "ICO", QImage::Format_ARGB32},
        Case{"clear.tif", "TIFF", QImage::Format_ARGB32}, Case{"opaque.tiff", "TIFF", QImage::Format_RGB32}}) {
    SCOPED_TRACE(c.name);
    const bool alpha = c.pixelFormat == QImage::Format_ARGB32;
    QImage image(16, 12, c.pixelFormat);
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const unsigned a = alpha ? (x < 8 ? 255u : 0u) : 255u;
        image.setPixel(x, y, (a << 24) | unsigned(x * 16) << 16 | unsigned(y * 20) << 8 | unsigned(x + y));
      }
    }
    ASSERT_TRUE(image.save(QString::fromStdString((folder / c.name).string()), c.format));
    const auto bitmap = platform::DecodePicture(folder / c.name);
    ASSERT_EQ(bitmap->Width(), 16);
    ASSERT_EQ(bitmap->Height(), 12);
    for (int y = 0; y < 12; ++y) {
      for (int x = 0; x < 16; ++x) {
        const uint32_t expected = image.pixel(x, y);
        if (expected >> 24 == 0) {
          ASSERT_EQ(bitmap->Pixel(x, y) >> 24, 0u) << x << "," << y;  // colour of clear pixels is free
        } else {
          ASSERT_EQ(bitmap->Pixel(x, y), expected) << x << "," << y;
        }
      }
    }
  }
}

TEST(PictureDecoder, QtFormatErrorsNameTheFile) {
  test_pictures::TempFolder folder;
  test_pictures::WriteFileBytes(folder / "junk.bmp", {'B', 'M', 1, 2, 3});
  test_pictures::WriteFileBytes(folder / "junk.tiff", {'I', 'I', 42, 0, 8, 0, 0, 0});
  for (const char* name : {"junk.bmp", "junk.tiff", "absent.ico"}) {
    try {
      platform::DecodePicture(folder / name);
      ADD_FAILURE() << name << " decoded";
    } catch (const platform::PictureError& error) {
      EXPECT_TRUE(std::string(error.what()).starts_with(std::string(name) + ": ")) << error.what();
    }
  }
}

}  // namespace
