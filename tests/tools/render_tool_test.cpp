#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include "platform/picture_decoder.h"
#include "platform/raster/bitmap.h"

namespace {

namespace fs = std::filesystem;

struct Result {
  int status;
  std::string out, err;
};

// Runs vantrel-render with the arguments; captures both output streams.
Result Render(const std::string& args) {
  const fs::path errFile = fs::temp_directory_path() / ("render_err_" + std::to_string(::getpid()));
  const std::string cmd = std::string(VANTREL_RENDER) + " " + args + " 2>" + errFile.string();
  Result r{};
  FILE* pipe = ::popen(cmd.c_str(), "r");
  std::array<char, 4096> buf;
  size_t n;
  while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0) r.out.append(buf.data(), n);
  const int raw = ::pclose(pipe);
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  std::ifstream in(errFile);
  r.err.assign(std::istreambuf_iterator<char>(in), {});
  fs::remove(errFile);
  return r;
}

// Writes a w × h RGB PNG filled with one colour.
void WritePng(const fs::path& path, int w, int h, uint8_t r, uint8_t g, uint8_t b) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(w);
  image.height = png_uint_32(h);
  image.format = PNG_FORMAT_RGB;
  std::string pixels;
  for (int i = 0; i < w * h; ++i) pixels += {char(r), char(g), char(b)};
  ASSERT_TRUE(png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), 0, nullptr));
}

class RenderTool : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("render_tool_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
    WritePng(dir_ / "old.png", 10, 4, 255, 0, 0);
    WritePng(dir_ / "new.png", 10, 4, 0, 0, 255);
    WritePng(dir_ / "other.png", 11, 4, 0, 255, 0);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Pictures() const {
    return "--old " + (dir_ / "old.png").string() + " --new " + (dir_ / "new.png").string();
  }
  fs::path dir_;
};

TEST_F(RenderTool, ListsTheCatalogue) {
  const Result r = Render("--list");
  ASSERT_EQ(r.status, 0);
  size_t lines = 0;
  for (char c : r.out) lines += c == '\n';
  EXPECT_EQ(lines, 172u);
  EXPECT_EQ(r.out.substr(0, 20), "1\tExpand from right\n");
  EXPECT_NE(r.out.find("\n76\tUnven shred from bottom\n"), std::string::npos);
  EXPECT_NE(r.out.find("\n172\tChannel Mix\n"), std::string::npos);
}

TEST_F(RenderTool, RendersOneFrameAndReportsTheGenerator) {
  const fs::path out = dir_ / "frame.png";
  // Reveal from left at 50: the left 5 columns show the new picture.
  const Result r = Render("--style 5 " + Pictures() + " --progress 50 --randseed 7 --out " + out.string());
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "randseed=7\n");
  const auto frame = platform::DecodePicture(out);
  ASSERT_EQ(frame->Width(), 10);
  EXPECT_EQ(frame->ScanLine(2)[4].rgbBlue, 255);
  EXPECT_EQ(frame->ScanLine(2)[5].rgbRed, 255);
  // A free-random style advances the generator.
  const Result pour = Render("--style 65 " + Pictures() + " --progress 50 --out " + out.string());
  ASSERT_EQ(pour.status, 0) << pour.err;
  EXPECT_NE(pour.out, "randseed=0\n");
}

TEST_F(RenderTool, WritesEveryFrameOfATransition) {
  const Result r = Render("--style 1 " + Pictures() + " --frames " + (dir_ / "frames").string() + " --step 30");
  ASSERT_EQ(r.status, 0) << r.err;
  // Progress 0, 30, 60, 90, 100.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "frames"), fs::directory_iterator()), 5);
  EXPECT_TRUE(fs::exists(dir_ / "frames" / "frame_004.png"));
}

TEST_F(RenderTool, BadInputIsOneLineOnStandardErrorAndStatusTwo) {
  const std::string out = " --out " + (dir_ / "x.png").string();
  const std::string cases[] = {
      "--bogus",
      "--style 173 " + Pictures() + " --progress 5" + out,
      "--style 1 " + Pictures() + " --progress 101" + out,
      "--style -1 " + Pictures() + " --progress 5" + out,
      "--style 1 " + Pictures() + out,
      "--style 1 --old " + (dir_ / "missing.png").string() + " --new " + (dir_ / "new.png").string() +
          " --progress 5" + out,
      "--style 1 --old " + (dir_ / "old.png").string() + " --new " + (dir_ / "other.png").string() +
          " --progress 5" + out,
      "--style 1 --old " + (dir_ / "old.png").string() + " --new " + dir_.string() + " --progress 5" + out,
  };
  for (const std::string& args : cases) {
    const Result r = Render(args);
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_TRUE(r.out.empty()) << args;
    ASSERT_FALSE(r.err.empty()) << args;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << args << ": " << r.err;
  }
  EXPECT_FALSE(fs::exists(dir_ / "x.png"));
}

}  // namespace
