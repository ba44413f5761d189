// Photos come out upright: the EXIF Orientation tag is read (libexif) and the
// picture turned and mirrored as it says, for every caller of DecodePicture.
#include "platform/exif_orientation.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/picture_decoder.h"
#include "platform/raster/orientation.h"
#include "test_picture_writer.h"

namespace {

namespace fs = std::filesystem;

const fs::path kExifFolder = fs::path(VANTREL_TEST_DATA) / "jpeg" / "exif";

// Mean difference of the colour bytes of two pictures of one size, over a
// grid of sample points.
double MeanDifference(const raster::Bitmap& a, const raster::Bitmap& b) {
  double sum = 0;
  int samples = 0;
  for (int32_t y = 0; y < a.Height(); y += 9) {
    for (int32_t x = 0; x < a.Width(); x += 9) {
      const uint32_t p = a.Pixel(x, y), q = b.Pixel(x, y);
      for (int shift : {0, 8, 16}) sum += std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF));
      samples += 3;
    }
  }
  return sum / samples;
}

// Each corpus picture was stored turned as its tag says; decoded, it must match
// the picture stored upright (tag 1). Landscape_0 has the invalid value 0,
// which counts as 1.
TEST(ExifOrientation, CorpusPicturesComeOutUpright) {
  const auto landscape = platform::DecodePicture(kExifFolder / "Landscape_1.jpg");
  const auto portrait = platform::DecodePicture(kExifFolder / "Portrait_1.jpg");
  ASSERT_EQ(landscape->Width(), 1800);
  ASSERT_EQ(portrait->Height(), 1800);
  const std::pair<const char*, int> cases[] = {
      {"Landscape_0", 1}, {"Landscape_2", 2}, {"Landscape_3", 3}, {"Landscape_4", 4},
      {"Landscape_5", 5}, {"Landscape_6", 6}, {"Landscape_7", 7}, {"Landscape_8", 8},
      {"Portrait_3", 3},  {"Portrait_6", 6},  {"Portrait_8", 8},
  };
  for (const auto& [name, tag] : cases) {
    SCOPED_TRACE(name);
    const fs::path file = kExifFolder / (std::string(name) + ".jpg");
    EXPECT_EQ(platform::ReadExifOrientation(file), tag);
    const raster::Bitmap& upright = std::string(name).starts_with("Landscape") ? *landscape : *portrait;
    const auto decoded = platform::DecodePicture(file);
    ASSERT_EQ(decoded->Width(), upright.Width());
    ASSERT_EQ(decoded->Height(), upright.Height());
    // Re-encoding leaves small differences; a picture the wrong way round
    // differs by tens.
    EXPECT_LT(MeanDifference(*decoded, upright), 4.0);
  }
  // The comparison tells a turned picture from an upright one.
  const raster::Bitmap turned = raster::Oriented(*landscape, 3);
  EXPECT_GT(MeanDifference(turned, *landscape), 20.0);
}

// A 3 × 2 picture with a different value in each pixel, turned by each tag:
// the upright pixels as the EXIF standard defines them ("row 0 is the visual
// top / bottom / left / right side ...").
TEST(ExifOrientation, TurnsAndMirrorsPixelsAsTheTagSays) {
  raster::Bitmap stored(3, 2);
  // a b c
  // d e f
  const uint32_t a = 1, b = 2, c = 3, d = 4, e = 5, f = 6;
  const uint32_t values[2][3] = {{a, b, c}, {d, e, f}};
  for (int32_t y = 0; y < 2; ++y) {
    for (int32_t x = 0; x < 3; ++x) stored.SetPixel(x, y, values[y][x]);
  }
  const std::pair<int, std::vector<std::vector<uint32_t>>> cases[] = {
      {1, {{a, b, c}, {d, e, f}}},   {2, {{c, b, a}, {f, e, d}}},   {3, {{f, e, d}, {c, b, a}}},
      {4, {{d, e, f}, {a, b, c}}},   {5, {{a, d}, {b, e}, {c, f}}}, {6, {{d, a}, {e, b}, {f, c}}},
      {7, {{f, c}, {e, b}, {d, a}}}, {8, {{c, f}, {b, e}, {a, d}}}, {0, {{a, b, c}, {d, e, f}}},
      {9, {{a, b, c}, {d, e, f}}},
  };
  for (const auto& [tag, expected] : cases) {
    SCOPED_TRACE("tag " + std::to_string(tag));
    const raster::Bitmap upright = raster::Oriented(stored, tag);
    ASSERT_EQ(upright.Height(), int32_t(expected.size()));
    ASSERT_EQ(upright.Width(), int32_t(expected[0].size()));
    for (int32_t y = 0; y < upright.Height(); ++y) {
      for (int32_t x = 0; x < upright.Width(); ++x) EXPECT_EQ(upright.Pixel(x, y), expected[y][x]) << x << "," << y;
    }
  }
  EXPECT_TRUE(raster::Oriented(raster::Bitmap(), 6).Empty());
}

// --- EXIF blocks made here, to say exactly what a file holds ---

void Put16(std::vector<uint8_t>& out, unsigned v, bool bigEndian) {
  if (bigEndian)
    out.insert(out.end(), {uint8_t(v >> 8), uint8_t(v)});
  else
    out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)});
}
void Put32(std::vector<uint8_t>& out, uint32_t v, bool bigEndian) {
  Put16(out, bigEndian ? v >> 16 : v & 0xFFFF, bigEndian);
  Put16(out, bigEndian ? v & 0xFFFF : v >> 16, bigEndian);
}

struct ExifRecipe {
  bool bigEndian = false;
  unsigned entryCount = 1;
  unsigned type = 3;  // 3 SHORT, 4 LONG
  uint32_t value = 1;
  uint32_t ifdOffset = 8;  // from the TIFF header
  size_t keepBytes = ~size_t(0);  // cut the block short
};

// "Exif\0\0", a TIFF header and a first IFD holding one Orientation entry.
std::vector<uint8_t> ExifBlock(const ExifRecipe& r) {
  std::vector<uint8_t> tiff;
  tiff.insert(tiff.end(),
              r.bigEndian ? std::initializer_list<uint8_t>{'M', 'M'} : std::initializer_list<uint8_t>{'I', 'I'});
  Put16(tiff, 42, r.bigEndian);
  Put32(tiff, r.ifdOffset, r.bigEndian);
  Put16(tiff, r.entryCount, r.bigEndian);
  Put16(tiff, 0x0112, r.bigEndian);  // Orientation
  Put16(tiff, r.type, r.bigEndian);
  Put32(tiff, 1, r.bigEndian);  // one value
  if (r.type == 3) {
    Put16(tiff, r.value, r.bigEndian);
    Put16(tiff, 0, r.bigEndian);
  } else {
    Put32(tiff, r.value, r.bigEndian);
  }
  Put32(tiff, 0, r.bigEndian);  // no next IFD
  std::vector<uint8_t> block;
  block.reserve(6 + tiff.size());
  for (char c : {'E', 'x', 'i', 'f', '\0', '\0'}) block.push_back(uint8_t(c));
  block.insert(block.end(), tiff.begin(), tiff.end());
  if (block.size() > r.keepBytes) block.resize(r.keepBytes);
  return block;
}

// A 4 × 2 JPEG with `block` as an APP1 segment right after its start.
fs::path JpegWithExif(const test_pictures::TempFolder& folder, const std::string& name,
                      const std::vector<uint8_t>& block) {
  const fs::path plain = folder / ("plain_" + name);
  test_pictures::JpegRecipe recipe;
  recipe.width = 4;
  recipe.height = 2;
  recipe.pixels.assign(4 * 2 * 3, 128);
  test_pictures::WriteJpeg(plain, recipe);
  const std::vector<uint8_t> plainBytes = test_pictures::ReadFileBytes(plain);
  const size_t segmentLength = block.size() + 2;  // counts its own two bytes
  std::vector<uint8_t> bytes = {
      0xFF, 0xD8, 0xFF, 0xE1, static_cast<uint8_t>(segmentLength >> 8), static_cast<uint8_t>(segmentLength & 0xFF)};
  bytes.reserve(6 + block.size() + plainBytes.size());
  bytes.insert(bytes.end(), block.begin(), block.end());
  bytes.insert(bytes.end(), plainBytes.begin() + 2, plainBytes.end());  // after the start marker
  const fs::path file = folder / name;
  test_pictures::WriteFileBytes(file, bytes);
  return file;
}

// The tag read from blocks written either byte order; a value outside 1..8, a
// wrong type or a damaged block counts as 1, and the picture still loads.
TEST(ExifOrientation, ReadsTheTagAndTakesAnythingOddAsUpright) {
  test_pictures::TempFolder folder;
  struct Case {
    const char* name;
    ExifRecipe recipe;
    int expected;
  };
  const Case cases[] = {
      {"little-endian 6", {.value = 6}, 6},
      {"big-endian 8", {.bigEndian = true, .value = 8}, 8},
      {"big-endian 3", {.bigEndian = true, .value = 3}, 3},
      {"value 0", {.value = 0}, 1},
      {"value 9", {.value = 9}, 1},
      {"value 65535", {.value = 65535}, 1},
      {"stored as a long", {.type = 4, .value = 6}, 1},
      {"IFD beyond the block", {.value = 6, .ifdOffset = 5000}, 1},
      {"IFD offset inside the header", {.value = 6, .ifdOffset = 2}, 1},
      {"more entries announced than the block holds", {.entryCount = 60000, .value = 6}, 6},  // the whole one counts
      {"cut inside the entry", {.value = 6, .keepBytes = 20}, 1},
      {"cut after the header", {.value = 6, .keepBytes = 8}, 1},
      {"only the name", {.value = 6, .keepBytes = 6}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path file = JpegWithExif(folder, std::string(c.name) + ".jpg", ExifBlock(c.recipe));
    EXPECT_EQ(platform::ReadExifOrientation(file), c.expected);
    const auto picture = platform::DecodePicture(file);
    const bool turned = c.expected >= 5;
    EXPECT_EQ(picture->Width(), turned ? 2 : 4);
    EXPECT_EQ(picture->Height(), turned ? 4 : 2);
  }
}

TEST(ExifOrientation, FilesWithoutATagAreUpright) {
  test_pictures::TempFolder folder;
  const fs::path noExif = fs::path(VANTREL_TEST_DATA) / "jpeg" / "edge" / "ljt_testimages_testorig.jpg";
  EXPECT_EQ(platform::ReadExifOrientation(noExif), 1);
  EXPECT_EQ(platform::ReadExifOrientation(folder / "missing.jpg"), 1);
  fs::create_directory(folder / "folder.jpg");
  EXPECT_EQ(platform::ReadExifOrientation(folder / "folder.jpg"), 1);
  EXPECT_EQ(platform::ReadExifOrientation("/dev/null"), 1);
  // A FIFO with no writer would block a plain read.
  ASSERT_EQ(mkfifo((folder / "fifo.jpg").c_str(), 0600), 0);
  EXPECT_EQ(platform::ReadExifOrientation(folder / "fifo.jpg"), 1);
}

}  // namespace
