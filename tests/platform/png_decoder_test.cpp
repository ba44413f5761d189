#include "platform/png_decoder.h"

#include <gtest/gtest.h>
#include <png.h>
#include <sys/resource.h>

#include <QImage>
#include <set>

#include "platform/picture_error.h"
#include "test_picture_writer.h"

namespace {

namespace fs = std::filesystem;
using test_pictures::PngRecipe;

const fs::path kPngSuite = fs::path(VANTREL_TEST_DATA) / "pngsuite";

int ChannelsOf(int colorType) {
  switch (colorType) {
    case PNG_COLOR_TYPE_GRAY: return 1;
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB: return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
    default: return 1;  // palette index
  }
}

// A sample in the file's depth, varied over position and channel.
unsigned Sample(int x, int y, int channel, int depth) {
  const unsigned max = (1u << depth) - 1;
  return (unsigned(x) * 7919u + unsigned(y) * 104729u + unsigned(channel) * 15485863u + 5u) % (max + 1);
}

uint8_t To8Bit(unsigned sample, int depth) {
  if (depth == 16) return uint8_t((sample + 128) / 257);
  return uint8_t(sample * 255 / ((1u << depth) - 1));
}

struct RoundTripCase {
  const char* name;
  int colorType, bitDepth;
  bool interlaced;
  bool withTransparency;
};

// Packs the samples of Sample() as the file stores them.
PngRecipe MakeRecipe(const RoundTripCase& c, int width, int height) {
  PngRecipe recipe{width, height, c.colorType, c.bitDepth, c.interlaced, {}, {}, {}};
  const int channels = ChannelsOf(c.colorType);
  for (int y = 0; y < height; ++y) {
    std::vector<uint8_t> row((size_t(width) * channels * c.bitDepth + 7) / 8, 0);
    for (int x = 0; x < width; ++x) {
      for (int ch = 0; ch < channels; ++ch) {
        const unsigned s = Sample(x, y, ch, c.bitDepth);
        const size_t bit = (size_t(x) * channels + ch) * c.bitDepth;
        if (c.bitDepth == 16) {
          row[bit / 8] = uint8_t(s >> 8);
          row[bit / 8 + 1] = uint8_t(s);
        } else {
          row[bit / 8] |= uint8_t(s << (8 - c.bitDepth - bit % 8));
        }
      }
    }
    recipe.rows.push_back(std::move(row));
  }
  if (c.colorType == PNG_COLOR_TYPE_PALETTE) {
    for (unsigned i = 0; i < (1u << c.bitDepth); ++i) {
      recipe.palette.insert(recipe.palette.end(), {uint8_t(i * 40 + 1), uint8_t(255 - i * 16), uint8_t(i * 9)});
    }
    // Alphas for the first half of the entries only: the rest stay opaque.
    if (c.withTransparency) {
      for (unsigned i = 0; i < (1u << c.bitDepth) / 2; ++i) recipe.transparency.push_back(uint16_t(i * 37));
    }
  } else if (c.withTransparency) {
    // The key is the colour of pixel (0, 0), so at least that pixel is clear.
    for (int ch = 0; ch < ChannelsOf(c.colorType); ++ch)
      recipe.transparency.push_back(uint16_t(Sample(0, 0, ch, c.bitDepth)));
  }
  return recipe;
}

uint32_t ExpectedPixel(const RoundTripCase& c, const PngRecipe& recipe, int x, int y) {
  auto bgra = [](unsigned r, unsigned g, unsigned b, unsigned a) { return (a << 24) | (r << 16) | (g << 8) | b; };
  const int d = c.bitDepth;
  switch (c.colorType) {
    case PNG_COLOR_TYPE_PALETTE: {
      const unsigned i = Sample(x, y, 0, d);
      const unsigned a = i < recipe.transparency.size() ? recipe.transparency[i] : 255;
      return bgra(recipe.palette[i * 3], recipe.palette[i * 3 + 1], recipe.palette[i * 3 + 2], a);
    }
    case PNG_COLOR_TYPE_GRAY: {
      const unsigned s = Sample(x, y, 0, d), v = To8Bit(s, d);
      const bool clear = c.withTransparency && s == Sample(0, 0, 0, d);
      return bgra(v, v, v, clear ? 0 : 255);
    }
    case PNG_COLOR_TYPE_GRAY_ALPHA: {
      const unsigned v = To8Bit(Sample(x, y, 0, d), d);
      return bgra(v, v, v, To8Bit(Sample(x, y, 1, d), d));
    }
    case PNG_COLOR_TYPE_RGB: {
      bool clear = c.withTransparency;
      for (int ch = 0; ch < 3; ++ch) clear = clear && Sample(x, y, ch, d) == Sample(0, 0, ch, d);
      return bgra(To8Bit(Sample(x, y, 0, d), d), To8Bit(Sample(x, y, 1, d), d), To8Bit(Sample(x, y, 2, d), d),
                  clear ? 0 : 255);
    }
    default:
      return bgra(To8Bit(Sample(x, y, 0, d), d), To8Bit(Sample(x, y, 1, d), d), To8Bit(Sample(x, y, 2, d), d),
                  To8Bit(Sample(x, y, 3, d), d));
  }
}

class PngRoundTrip : public testing::TestWithParam<RoundTripCase> {};

TEST_P(PngRoundTrip, DecodesExactlyWhatWasWritten) {
  const RoundTripCase& c = GetParam();
  test_pictures::TempFolder folder;
  const fs::path file = folder / "written.png";
  const int width = 11, height = 9;  // odd sizes: partial bytes, every Adam7 pass
  const PngRecipe recipe = MakeRecipe(c, width, height);
  test_pictures::WritePng(file, recipe);

  const auto bitmap = platform::DecodePng(file);
  ASSERT_EQ(bitmap->Width(), width);
  ASSERT_EQ(bitmap->Height(), height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      ASSERT_EQ(bitmap->Pixel(x, y), ExpectedPixel(c, recipe, x, y)) << "at " << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    ColourTypesAndDepths, PngRoundTrip,
    testing::Values(RoundTripCase{"gray1", PNG_COLOR_TYPE_GRAY, 1, false, false},
                    RoundTripCase{"gray2_interlaced", PNG_COLOR_TYPE_GRAY, 2, true, false},
                    RoundTripCase{"gray4_trns", PNG_COLOR_TYPE_GRAY, 4, false, true},
                    RoundTripCase{"gray16_trns_interlaced", PNG_COLOR_TYPE_GRAY, 16, true, true},
                    RoundTripCase{"palette1", PNG_COLOR_TYPE_PALETTE, 1, false, false},
                    RoundTripCase{"palette4_trns_interlaced", PNG_COLOR_TYPE_PALETTE, 4, true, true},
                    RoundTripCase{"palette8_trns", PNG_COLOR_TYPE_PALETTE, 8, false, true},
                    RoundTripCase{"gray_alpha8", PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, false},
                    RoundTripCase{"gray_alpha16_interlaced", PNG_COLOR_TYPE_GRAY_ALPHA, 16, true, false},
                    RoundTripCase{"rgb8_trns", PNG_COLOR_TYPE_RGB, 8, false, true},
                    RoundTripCase{"rgb16_trns_interlaced", PNG_COLOR_TYPE_RGB, 16, true, true},
                    RoundTripCase{"rgba8_interlaced", PNG_COLOR_TYPE_RGB_ALPHA, 8, true, false},
                    RoundTripCase{"rgba16", PNG_COLOR_TYPE_RGB_ALPHA, 16, false, false}),
    [](const testing::TestParamInfo<RoundTripCase>& row) { return std::string(row.param.name); });

// The colour of fully transparent pixels is not compared: readers differ there.
void ExpectSamePixels(const raster::Bitmap& a, const raster::Bitmap& b) {
  ASSERT_EQ(a.Width(), b.Width());
  ASSERT_EQ(a.Height(), b.Height());
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      const uint32_t p = a.Pixel(x, y), q = b.Pixel(x, y);
      if ((p >> 24) == 0 && (q >> 24) == 0) continue;
      ASSERT_EQ(p, q) << "at " << x << "," << y;
    }
  }
}

// Qt's PNG reader is a second opinion on every valid PngSuite file, except
// the 16-bit RGB files with a tRNS colour key, which it garbles (opaque and
// transparent runs in one row of key-coloured pixels). Those hold the key
// colour, white, at the top-left corner; the round trip covers the rest.
TEST(PngSuite, ValidFilesDecodeAsQtDecodesThem) {
  const std::set<std::string> qtIgnoresKey = {"tbbn2c16.png", "tbgn2c16.png"};
  int compared = 0;
  for (const auto& entry : fs::directory_iterator(kPngSuite)) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() != ".png" || name[0] == 'x') continue;
    SCOPED_TRACE(name);
    QImage reference(QString::fromStdString(entry.path().string()));
    ASSERT_FALSE(reference.isNull());
    reference.convertTo(QImage::Format_ARGB32);
    const auto bitmap = platform::DecodePng(entry.path());
    raster::Bitmap expected(reference.width(), reference.height());
    for (int y = 0; y < reference.height(); ++y) {
      std::memcpy(expected.Row(y), reference.constScanLine(y), size_t(reference.width()) * 4);
    }
    if (qtIgnoresKey.contains(name)) {
      EXPECT_EQ(bitmap->Pixel(0, 0), 0x00FFFFFFu);
    } else {
      ExpectSamePixels(*bitmap, expected);
    }
    ++compared;
  }
  EXPECT_GT(compared, 100);
}

// The suite's interlaced files hold the same pictures as the plain ones.
TEST(PngSuite, InterlacedFilesMatchTheirPlainTwins) {
  for (const char* kind : {"0g01", "0g02", "0g04", "0g08", "0g16", "2c08", "2c16", "3p01", "3p02", "3p04", "3p08",
                           "4a08", "4a16", "6a08", "6a16"}) {
    SCOPED_TRACE(kind);
    const auto plain = platform::DecodePng(kPngSuite / ("basn" + std::string(kind) + ".png"));
    const auto interlaced = platform::DecodePng(kPngSuite / ("basi" + std::string(kind) + ".png"));
    ExpectSamePixels(*plain, *interlaced);
  }
}

long PeakResidentKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Writes signature, IHDR and the start of an IDAT: a header promising a huge
// picture, whose size is checked when the picture data begins.
fs::path WriteHeaderOnly(const test_pictures::TempFolder& folder, const std::string& name, int width, int height) {
  const fs::path file = folder / name;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::fopen(file.c_str(), "wb"), std::fclose);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, out.get());
  png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  const png_byte data[2] = {0x78, 0x9C};
  png_write_chunk(png, reinterpret_cast<png_const_bytep>("IDAT"), data, sizeof data);
  png_destroy_write_struct(&png, &info);
  return file;
}

TEST(PngLimits, OversizedHeadersAreRefusedBeforeAllocating) {
  test_pictures::TempFolder folder;
  struct Case {
    const char* name;
    int width, height;
    const char* cause;
  };
  for (const Case& c :
       {Case{"big.png", 30000, 30000, "big.png: picture 30000 × 30000 exceeds the limit of 100 megapixels"},
        Case{"wide.png", 70000, 10, "wide.png: "}}) {
    SCOPED_TRACE(c.name);
    const fs::path file = WriteHeaderOnly(folder, c.name, c.width, c.height);
    const long before = PeakResidentKb();
    try {
      platform::DecodePng(file);
      ADD_FAILURE() << "decoded";
    } catch (const platform::PictureError& error) {
      EXPECT_TRUE(std::string(error.what()).starts_with(c.cause)) << error.what();
    }
    // 30000 × 30000 pixels would take 3.6 GB had the pixels been allocated.
    EXPECT_LT(PeakResidentKb() - before, 500'000);
  }
}

TEST(PngErrors, MessagesNameTheFileAndTheCause) {
  struct Case {
    fs::path file;
    std::string message;
  };
  const fs::path bad = fs::path(VANTREL_TEST_DATA) / "png-bad";
  for (const Case& c :
       {Case{kPngSuite / "xs2n0g01.png", "xs2n0g01.png: not a PNG file (starts with 0x89 0x51)"},
        Case{kPngSuite / "xhdn0g08.png", "xhdn0g08.png: IHDR: CRC error"},
        Case{bad / "libpng_badcrc.png", "libpng_badcrc.png: IDAT: CRC error"},
        Case{bad / "derived_truncated_basn6a08_mid_IDAT.png",
             "derived_truncated_basn6a08_mid_IDAT.png: file ends too early (truncated)"},
        Case{bad / "libpng_huge_iTXt_chunk.png", "libpng_huge_iTXt_chunk.png: file ends too early (truncated)"},
        Case{kPngSuite / "missing.png", "missing.png: cannot open: No such file or directory"}}) {
    try {
      platform::DecodePng(c.file);
      ADD_FAILURE() << c.file << " decoded";
    } catch (const platform::PictureError& error) {
      EXPECT_EQ(error.what(), c.message);
    }
  }
}

}  // namespace
