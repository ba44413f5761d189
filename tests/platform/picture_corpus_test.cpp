// Every file of the test corpus (valid, unusual, broken and hostile pictures)
// gives either a picture or an error naming the file; none crashes or hangs.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>
#include <set>
#include <string>

#include "platform/picture_decoder.h"
#include "platform/picture_error.h"
#include "platform/picture_limits.h"

namespace {

namespace fs = std::filesystem;

enum class Outcome { Decodes, Fails, Either };

struct Expectation {
  Outcome outcome;
  int width = 0, height = 0;  // 0: not checked
};

const fs::path kData = VANTREL_TEST_DATA;

// Damaged JPEGs that still give a picture: warnings (corrupt or truncated
// entropy data) leave grey or garbled blocks, and damage after the last row
// (a second frame, stray markers) does not concern the picture.
const std::set<std::string> kDamagedJpegsThatDecode = {
    "derived_truncated_testimgint_progressive_half.jpg",
    "derived_truncated_testorig_half.jpg",
    "jd_dc-predictor-overflow.jpg",
    "jd_its_194531363df5b73f59c4c0517422f917.jpg",
    "jd_its_2c9e7a1805f8b47630bbb83d21bf8222.jpg",
    "jd_its_4838ece0d3900220d33528ee027289bc.jpg",
    "jd_its_8a9cc8eeed66aeb423a91c44111d9450.jpg",
    "jd_multiple-0xff-before-eoi.jpg",
    "jd_partial_progressive.jpg",
    "jd_progressive-missing-ac.jpg",
    "jd_progressive-missing-dc.jpg",
    "ljt_gh171_b64876977.jpg",
    "ljt_gh305_CVE-2018-19664.jpg",
    "ljt_gh389.jpg",
    "ljt_gh478.jpg",
    "ljt_gh537_2177x3408.jpg",
    "ljt_moz1050342_000.jpg",
    "ljt_moz1050342_001.jpg",
    "ljt_moz891693_CVE-2013-6629_182.jpg",
    "ljt_moz891693_CVE-2013-6630_kitty2.jpg",
    "ljt_moz891693_CVE-2013-6630_turbo-dht_badhuffman.jpg",
    "ljt_mozjpeg268_CVE-2017-15232_001.jpg",
    "ljt_sf93_id000005_havoc.jpg",
};

// Valid JPEGs of kinds this libjpeg build does not decode (12-bit, lossless).
const std::set<std::string> kUnsupportedJpegs = {
    "ljt_12bit_random12_100x91_rst2.jpg",    "ljt_12bit_random12_99x92_rgb_420.jpg",
    "ljt_lossless_LJPGT-PT-23-01_test1.jpg", "ljt_lossless_random10_100x91_psv1.jpg",
    "ljt_testimages_monkey12.jpg",
};

// PngSuite names tell the size: sNN... is NN × NN, three pHYs files are
// narrow or short, all others 32 × 32.
Expectation PngSuiteExpectation(const std::string& name) {
  if (name[0] == 'x') return {Outcome::Fails};
  if (name[0] == 's' && std::isdigit(static_cast<unsigned char>(name[1]))) {
    const int side = std::stoi(name.substr(1, 2));
    return {Outcome::Decodes, side, side};
  }
  if (name.starts_with("cdf")) return {Outcome::Decodes, 8, 32};
  if (name.starts_with("cdh")) return {Outcome::Decodes, 32, 8};
  if (name.starts_with("cds")) return {Outcome::Decodes, 8, 8};
  return {Outcome::Decodes, 32, 32};
}

std::optional<Expectation> ExpectationFor(const fs::path& file) {
  const std::string name = file.filename().string();
  const std::string folder = file.parent_path().filename().string();
  if (file.extension() == ".txt") return std::nullopt;  // the folders' READMEs
  if (folder == "pngsuite") return PngSuiteExpectation(name);
  if (folder == "png-bad") {
    // Zero-length ancillary chunks are skipped; every other file is cut short,
    // has a bad CRC or a bad zlib checksum.
    if (name == "libpng_empty_ancillary_chunks.png") return Expectation{Outcome::Decodes, 1, 1};
    return Expectation{Outcome::Fails};
  }
  if (folder == "edge") {
    return Expectation{kUnsupportedJpegs.contains(name) ? Outcome::Fails : Outcome::Decodes};
  }
  if (folder == "bad") {
    return Expectation{kDamagedJpegsThatDecode.contains(name) ? Outcome::Decodes : Outcome::Fails};
  }
  // The orientation tag is applied: every picture comes out at its upright
  // size, whatever way it was stored.
  if (folder == "exif") {
    const bool wide = name.starts_with("Landscape");
    return wide ? Expectation{Outcome::Decodes, 1800, 1200} : Expectation{Outcome::Decodes, 1200, 1800};
  }
  if (folder == "large") return Expectation{Outcome::Decodes, 8500, 8146};
  // Malformed BMP, ICO and TIFF files go through Qt's readers, which refuse
  // most and make a small picture of some.
  if (folder == "bmp-ico-tiff") return Expectation{Outcome::Either};
  return std::nullopt;
}

TEST(PictureCorpus, EveryFileGivesAPictureOrAnErrorNamingIt) {
  int decoded = 0, failed = 0;
  const auto start = std::chrono::steady_clock::now();
  for (const auto& entry : fs::recursive_directory_iterator(kData)) {
    if (!entry.is_regular_file()) continue;
    const fs::path& file = entry.path();
    const std::optional<Expectation> expected = ExpectationFor(file);
    if (!expected) continue;
    const std::string name = file.filename().string();
    SCOPED_TRACE(fs::relative(file, kData).string());
    try {
      const auto bitmap = platform::DecodePicture(file);
      ++decoded;
      EXPECT_NE(expected->outcome, Outcome::Fails) << "decoded, but the file is broken";
      ASSERT_FALSE(bitmap->Empty());
      EXPECT_LE(int64_t(bitmap->Width()) * bitmap->Height(), platform::kMaxPicturePixels);
      if (expected->width != 0) {
        EXPECT_EQ(bitmap->Width(), expected->width);
        EXPECT_EQ(bitmap->Height(), expected->height);
      }
    } catch (const platform::PictureError& error) {
      ++failed;
      EXPECT_NE(expected->outcome, Outcome::Decodes) << error.what();
      EXPECT_TRUE(std::string(error.what()).starts_with(name + ": ")) << error.what();
    }
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("corpus: %d decoded, %d refused, %.2f s\n", decoded, failed, seconds);
  EXPECT_GT(decoded, 0);
  EXPECT_GT(failed, 0);
}

}  // namespace
