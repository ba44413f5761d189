#include "test_picture_writer.h"

#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <jpeglib.h>

namespace test_pictures {

namespace {
struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

UniqueFile OpenForWriting(const std::filesystem::path& path) {
  UniqueFile file(std::fopen(path.c_str(), "wb"));
  if (!file) throw std::runtime_error("cannot write " + path.string());
  return file;
}

// Every scan a progressive 8-bit JPEG may have: DC and each AC coefficient of
// each component sent bit by bit from the largest shift libjpeg allows.
std::vector<jpeg_scan_info> LongestScanScript(int components) {
  constexpr int kMaxShift = 10;
  std::vector<jpeg_scan_info> scans;
  auto add = [&](int count, int component, int ss, int se, int ah, int al) {
    jpeg_scan_info scan{};
    scan.comps_in_scan = count;
    for (int i = 0; i < count; ++i) scan.component_index[i] = component + i;
    scan.Ss = ss, scan.Se = se, scan.Ah = ah, scan.Al = al;
    scans.push_back(scan);
  };
  add(components, 0, 0, 0, 0, kMaxShift);
  for (int al = kMaxShift - 1; al >= 0; --al) add(components, 0, 0, 0, al + 1, al);
  for (int c = 0; c < components; ++c) {
    for (int k = 1; k < 64; ++k) {
      add(1, c, k, k, 0, kMaxShift);
      for (int al = kMaxShift - 1; al >= 0; --al) add(1, c, k, k, al + 1, al);
    }
  }
  return scans;
}
}  // namespace

void WritePng(const std::filesystem::path& path, const PngRecipe& recipe) {
  UniqueFile file = OpenForWriting(path);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  std::vector<png_color> palette;
  std::vector<png_bytep> rows;
  std::vector<png_byte> alphas;
  png_color_16 key{};
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("libpng could not write " + path.string());
  }
  png_init_io(png, file.get());
  png_set_IHDR(png, info, png_uint_32(recipe.width), png_uint_32(recipe.height), recipe.bitDepth, recipe.colorType,
               recipe.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  for (size_t i = 0; i + 2 < recipe.palette.size(); i += 3) {
    palette.push_back({recipe.palette[i], recipe.palette[i + 1], recipe.palette[i + 2]});
  }
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), int(palette.size()));
  if (!recipe.transparency.empty()) {
    if (recipe.colorType == PNG_COLOR_TYPE_PALETTE) {
      alphas.assign(recipe.transparency.begin(), recipe.transparency.end());
      png_set_tRNS(png, info, alphas.data(), int(alphas.size()), nullptr);
    } else {
      key.gray = recipe.transparency[0];
      key.red = recipe.transparency[0];
      key.green = recipe.transparency.size() > 1 ? recipe.transparency[1] : 0;
      key.blue = recipe.transparency.size() > 2 ? recipe.transparency[2] : 0;
      png_set_tRNS(png, info, nullptr, 0, &key);
    }
  }
  png_write_info(png, info);
  for (const auto& row : recipe.rows) rows.push_back(const_cast<png_bytep>(row.data()));
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
}

void WriteJpeg(const std::filesystem::path& path, const JpegRecipe& recipe) {
  UniqueFile file = OpenForWriting(path);
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr error{};
  cinfo.err = jpeg_std_error(&error);  // test data is well-formed: libjpeg's exit() is acceptable here
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, file.get());
  cinfo.image_width = JDIMENSION(recipe.width);
  cinfo.image_height = JDIMENSION(recipe.height);
  cinfo.input_components = recipe.components;
  cinfo.in_color_space = recipe.components == 1 ? JCS_GRAYSCALE : recipe.components == 4 ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, recipe.quality, TRUE);
  // Full-resolution colour, so flat test colours survive exactly or nearly.
  for (int c = 0; c < cinfo.num_components; ++c) {
    cinfo.comp_info[c].h_samp_factor = 1;
    cinfo.comp_info[c].v_samp_factor = 1;
  }
  std::vector<jpeg_scan_info> script;
  if (recipe.longestScript) {
    script = LongestScanScript(cinfo.num_components);
    cinfo.scan_info = script.data();
    cinfo.num_scans = int(script.size());
  } else if (recipe.progressive) {
    jpeg_simple_progression(&cinfo);
  }
  jpeg_start_compress(&cinfo, TRUE);
  const size_t stride = size_t(recipe.width) * size_t(recipe.components);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(recipe.pixels.data() + cinfo.next_scanline * stride);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
}

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vantrel-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

}  // namespace test_pictures
