#include "platform/jpeg_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "platform/picture_error.h"
#include "test_picture_writer.h"

namespace {

namespace fs = std::filesystem;
using test_pictures::JpegRecipe;

// Four flat quadrants: red, green, blue, white.
JpegRecipe Quadrants(int side, int components) {
  JpegRecipe recipe{side, side, components, 100, false, {}, false};
  const uint8_t colours[4][4] = {{220, 30, 40, 0}, {20, 200, 60, 0}, {30, 40, 210, 0}, {255, 255, 255, 0}};
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const uint8_t* c = colours[(y >= side / 2) * 2 + (x >= side / 2)];
      for (int i = 0; i < components; ++i) recipe.pixels.push_back(components == 1 ? c[0] : c[i]);
    }
  }
  return recipe;
}

void ExpectNear(uint32_t pixel, int r, int g, int b, int tolerance) {
  EXPECT_EQ(pixel >> 24, 255u);
  EXPECT_NEAR(int((pixel >> 16) & 0xFF), r, tolerance) << std::hex << pixel;
  EXPECT_NEAR(int((pixel >> 8) & 0xFF), g, tolerance) << std::hex << pixel;
  EXPECT_NEAR(int(pixel & 0xFF), b, tolerance) << std::hex << pixel;
}

std::unique_ptr<raster::Bitmap> WriteAndDecode(const JpegRecipe& recipe) {
  test_pictures::TempFolder folder;
  test_pictures::WriteJpeg(folder / "written.jpg", recipe);
  return platform::DecodeJpeg(folder / "written.jpg");
}

TEST(JpegDecoder, RgbAndProgressiveRoundTripOpaqueAndTopRowFirst) {
  for (bool progressive : {false, true}) {
    JpegRecipe recipe = Quadrants(32, 3);
    recipe.progressive = progressive;
    const auto bitmap = WriteAndDecode(recipe);
    ASSERT_EQ(bitmap->Width(), 32);
    ASSERT_EQ(bitmap->Height(), 32);
    ExpectNear(bitmap->Pixel(4, 4), 220, 30, 40, 3);
    ExpectNear(bitmap->Pixel(27, 4), 20, 200, 60, 3);
    ExpectNear(bitmap->Pixel(4, 27), 30, 40, 210, 3);
    ExpectNear(bitmap->Pixel(27, 27), 255, 255, 255, 3);
  }
}

TEST(JpegDecoder, GreyBecomesEqualChannels) {
  const auto bitmap = WriteAndDecode(Quadrants(16, 1));
  ExpectNear(bitmap->Pixel(2, 2), 220, 220, 220, 2);
  ExpectNear(bitmap->Pixel(13, 2), 20, 20, 20, 2);
}

// libjpeg marks CMYK with the Adobe marker, whose convention stores 255 for
// no ink: (255, 255, 255, 255) is white and a 0 in the cyan byte is full cyan.
TEST(JpegDecoder, AdobeCmykIsInverted) {
  JpegRecipe recipe{16, 16, 4, 100, false, {}, false};
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const bool cyan = x >= 8;
      recipe.pixels.insert(recipe.pixels.end(), {uint8_t(cyan ? 0 : 255), 255, 255, 255});
    }
  }
  const auto bitmap = WriteAndDecode(recipe);
  ExpectNear(bitmap->Pixel(2, 8), 255, 255, 255, 2);
  ExpectNear(bitmap->Pixel(13, 8), 0, 255, 255, 2);
}

size_t ScanDataStart(const std::vector<uint8_t>& bytes) {
  for (size_t i = 0; i + 3 < bytes.size(); ++i) {
    if (bytes[i] == 0xFF && bytes[i + 1] == 0xDA) return i + 2 + (size_t(bytes[i + 2]) << 8 | bytes[i + 3]);
  }
  throw std::runtime_error("no SOS");
}

// A file cut inside its picture data shows the decoded part, the rest grey;
// a file cut right after its headers has no picture to show.
TEST(JpegDecoder, TruncatedFileGivesTheDecodedPartOrAnError) {
  test_pictures::TempFolder folder;
  JpegRecipe recipe{64, 64, 3, 100, false, std::vector<uint8_t>(64 * 64 * 3, 255), false};
  test_pictures::WriteJpeg(folder / "whole.jpg", recipe);
  const std::vector<uint8_t> whole = test_pictures::ReadFileBytes(folder / "whole.jpg");
  const size_t dataStart = ScanDataStart(whole);

  test_pictures::WriteFileBytes(folder / "half.jpg", {whole.begin(), whole.begin() + (dataStart + whole.size()) / 2});
  const auto half = platform::DecodeJpeg(folder / "half.jpg");
  ASSERT_EQ(half->Height(), 64);
  ExpectNear(half->Pixel(0, 0), 255, 255, 255, 2);
  ExpectNear(half->Pixel(63, 63), 128, 128, 128, 2);

  test_pictures::WriteFileBytes(folder / "headers.jpg", {whole.begin(), whole.begin() + dataStart});
  try {
    platform::DecodeJpeg(folder / "headers.jpg");
    ADD_FAILURE() << "decoded a file without picture data";
  } catch (const platform::PictureError& error) {
    EXPECT_STREQ(error.what(), "headers.jpg: file ends before its picture data");
  }
}

TEST(JpegDecoder, OversizedFrameIsRefusedBeforeDecoding) {
  test_pictures::TempFolder folder;
  test_pictures::WriteJpeg(folder / "small.jpg", Quadrants(16, 3));
  std::vector<uint8_t> bytes = test_pictures::ReadFileBytes(folder / "small.jpg");
  const uint8_t marker[] = {0xFF, 0xC0};
  const auto sof = std::search(bytes.begin(), bytes.end(), std::begin(marker), std::end(marker));
  ASSERT_NE(sof, bytes.end());
  // Height and width sit 5 and 7 bytes after the marker.
  const size_t at = size_t(sof - bytes.begin());
  bytes[at + 5] = bytes[at + 7] = 30000 >> 8;
  bytes[at + 6] = bytes[at + 8] = 30000 & 0xFF;
  test_pictures::WriteFileBytes(folder / "big.jpg", bytes);
  try {
    platform::DecodeJpeg(folder / "big.jpg");
    ADD_FAILURE() << "decoded";
  } catch (const platform::PictureError& error) {
    EXPECT_STREQ(error.what(), "big.jpg: picture 30000 × 30000 exceeds the limit of 100 megapixels");
  }
}

// A valid progressive file with more scans than any encoder writes is cut off.
TEST(JpegDecoder, TooManyScansAreRefused) {
  JpegRecipe recipe = Quadrants(16, 3);
  recipe.longestScript = true;  // 2090 scans
  try {
    WriteAndDecode(recipe);
    ADD_FAILURE() << "decoded";
  } catch (const platform::PictureError& error) {
    EXPECT_STREQ(error.what(), "written.jpg: more than 1000 scans in a progressive JPEG");
  }
}

TEST(JpegDecoder, ErrorsNameTheFileAndTheCause) {
  test_pictures::TempFolder folder;
  test_pictures::WriteFileBytes(folder / "photo.jpg", {0x89, 0x50, 0x4E, 0x47});
  test_pictures::WriteFileBytes(folder / "empty.jpg", {});
  const std::pair<const char*, const char*> cases[] = {
      {"photo.jpg", "photo.jpg: not a JPEG file (starts with 0x89 0x50)"},
      {"empty.jpg", "empty.jpg: Empty input file"},
      {"absent.jpg", "absent.jpg: cannot open: No such file or directory"},
  };
  for (const auto& [name, message] : cases) {
    try {
      platform::DecodeJpeg(folder / name);
      ADD_FAILURE() << name << " decoded";
    } catch (const platform::PictureError& error) {
      EXPECT_STREQ(error.what(), message);
    }
  }
}

}  // namespace
