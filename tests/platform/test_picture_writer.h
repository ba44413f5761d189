#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Writes small pictures with libpng and libjpeg so that tests know exactly
// what a file holds.
namespace test_pictures {

struct PngRecipe {
  int width = 0, height = 0;
  int colorType = 0;  // PNG_COLOR_TYPE_...
  int bitDepth = 8;
  bool interlaced = false;
  std::vector<std::vector<uint8_t>> rows;  // packed samples as the file stores them
  std::vector<uint8_t> palette;  // r, g, b triples
  std::vector<uint16_t> transparency;  // tRNS: palette alphas, or a grey / rgb key
};
void WritePng(const std::filesystem::path& path, const PngRecipe& recipe);

struct JpegRecipe {
  int width = 0, height = 0;
  int components = 3;  // 1 grey, 3 RGB, 4 CMYK
  int quality = 100;
  bool progressive = false;
  std::vector<uint8_t> pixels;  // width × height × components, top row first
  bool longestScript = false;  // progressive with every refinement scan there is (2090 for RGB)
};
void WriteJpeg(const std::filesystem::path& path, const JpegRecipe& recipe);

// A folder for one test's files, removed when the test ends.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

}  // namespace test_pictures
