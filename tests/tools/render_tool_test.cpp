#include <gtest/gtest.h>
#include <png.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "platform/picture_decoder.h"
#include "platform/raster/bitmap.h"

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Result {
  int status;
  std::string out, err;
};

// Runs vantrel-render with the arguments; captures both output streams.
Result Render(const std::string& args) {
  const fs::path errFile = fs::temp_directory_path() / ("render_err_" + std::to_string(::getpid()));
  // A run that blocks (on a pipe given as a picture) fails the test instead
  // of hanging it.
  const std::string cmd = "timeout 20 " + std::string(VANTREL_RENDER) + " " + args + " 2>" + errFile.string();
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

// Writes a w × h RGB PNG of random pixels (it compresses to about its raw size).
void WriteNoisePng(const fs::path& path, int w, int h, unsigned seed) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(w);
  image.height = png_uint_32(h);
  image.format = PNG_FORMAT_RGB;
  std::string pixels(size_t(w) * h * 3, '\0');
  for (char& c : pixels) c = char((seed = seed * 1103515245u + 12345u) >> 23);
  ASSERT_TRUE(png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), 0, nullptr));
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
      "--style 1 --old " + (dir_ / "missing.png").string() + " --new " + (dir_ / "new.png").string() + " --progress 5" +
          out,
      "--style 1 --old " + (dir_ / "old.png").string() + " --new " + (dir_ / "other.png").string() + " --progress 5" +
          out,
      "--style 1 --old " + (dir_ / "old.png").string() + " --new " + dir_.string() + " --progress 5" + out,
      "--style 1 --old " + (dir_ / "pipe.png").string() + " --new " + (dir_ / "new.png").string() + " --progress 5" +
          out,
  };
  ASSERT_EQ(::mkfifo((dir_ / "pipe.png").c_str(), 0600), 0);
  for (const std::string& args : cases) {
    const Result r = Render(args);
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_TRUE(r.out.empty()) << args;
    ASSERT_FALSE(r.err.empty()) << args;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << args << ": " << r.err;
  }
  EXPECT_FALSE(fs::exists(dir_ / "x.png"));
}

// A target that exists and is not a regular file is refused before anything
// is drawn, and stays as it was: a device node is not turned into a file, a
// pipe is not replaced, and neither a link nor the file it points to changes.
TEST_F(RenderTool, OutputThatIsNotARegularFileIsRefused) {
  std::ofstream(dir_ / "pointed.png") << "the file the link points to";
  const struct {
    const char* name;
    const char* says;
    std::function<bool(const fs::path&)> make;
    std::function<bool(const fs::path&)> unchanged;
  } cases[] = {
      {"character device", "not a regular file",
       [](const fs::path& p) { return ::mknod(p.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0; },
       [](const fs::path& p) { return fs::is_character_file(fs::symlink_status(p)); }},
      {"pipe", "not a regular file", [](const fs::path& p) { return ::mkfifo(p.c_str(), 0600) == 0; },
       [](const fs::path& p) { return fs::is_fifo(fs::symlink_status(p)); }},
      {"link to a regular file", "symbolic link",
       [this](const fs::path& p) { return ::symlink((dir_ / "pointed.png").c_str(), p.c_str()) == 0; },
       [this](const fs::path& p) {
         return fs::is_symlink(fs::symlink_status(p)) && ReadBytes(dir_ / "pointed.png").size() == 27;
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path target = dir_ / "target";
    fs::remove(target);
    if (!c.make(target)) {
      ADD_FAILURE() << "cannot make the target: " << std::strerror(errno);
      continue;
    }
    const Result r = Render("--style 1 " + Pictures() + " --progress 50 --out " + target.string());
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    EXPECT_TRUE(c.unchanged(target));
    for (const auto& entry : fs::directory_iterator(dir_)) {
      EXPECT_NE(entry.path().filename().string().front(), '.') << "temporary file left: " << entry.path();
    }
  }
}

// A file name holding a terminal's escape sequence (here: set the window
// title) reaches standard error with its control characters escaped.
TEST_F(RenderTool, ControlCharactersOfNamesAreShownEscaped) {
  const std::string name = "a\x1b]0;owned\x07\xe2\x80\xae.png";
  const Result r = Render("--style 1 --old '" + (dir_ / name).string() + "' --new " + (dir_ / "new.png").string() +
                          " --progress 5 --out " + (dir_ / "x.png").string());
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err.find('\x1b'), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find('\x07'), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("a\\x1B]0;owned\\x07\\u{202E}.png"), std::string::npos) << r.err;
}

// --help wherever it stands: the usage of both forms on standard output, in
// English, status 0, nothing drawn.
TEST_F(RenderTool, HelpShowsTheUsageOfBothForms) {
  for (const std::string& args :
       {std::string("--help"), std::string("-h"),
        "--style 5 " + Pictures() + " --progress 50 --out " + (dir_ / "x.png").string() + " --help",
        std::string("--slideshow missing --help")}) {
    const Result r = Render(args);
    EXPECT_EQ(r.status, 0) << args << ": " << r.err;
    EXPECT_TRUE(r.err.empty()) << args << ": " << r.err;
    EXPECT_EQ(r.out.rfind("Usage: vantrel-render --style N", 0), 0u) << args << ": " << r.out;
    for (const char* option : {"--frames DIR", "--list", "--slideshow FOLDER --video OUT", "--placement"}) {
      EXPECT_NE(r.out.find(option), std::string::npos) << option;
    }
  }
  EXPECT_FALSE(fs::exists(dir_ / "x.png"));
}

// A TIFF whose directories are damaged: the libraries' complaints stay out
// of stderr unless asked for, the one error line stays.
TEST_F(RenderTool, LibraryWarningsOnlyWhenVerbose) {
  const fs::path tiff = fs::path(VANTREL_TEST_DATA) / "bmp-ico-tiff/gdkpixbuf_bug784903-overflow-dimensions.tiff";
  const std::string args = "--style 1 --old " + tiff.string() + " --new " + (dir_ / "new.png").string() +
                           " --progress 5 --out " + (dir_ / "x.png").string();
  const Result quiet = Render(args);
  EXPECT_EQ(quiet.status, 2);
  EXPECT_EQ(std::count(quiet.err.begin(), quiet.err.end(), '\n'), 1) << quiet.err;
  const Result verbose = Render("--verbose " + args);
  EXPECT_EQ(verbose.status, 2);
  EXPECT_GT(std::count(verbose.err.begin(), verbose.err.end(), '\n'), 1) << verbose.err;
}

// A small memory file system as the output folder (where the test may mount
// one; skipped otherwise).
class RenderToFullDisk : public RenderTool {
 protected:
  void SetUp() override {
    RenderTool::SetUp();
    WriteNoisePng(dir_ / "big_old.png", 1200, 900, 1);
    WriteNoisePng(dir_ / "big_new.png", 1200, 900, 2);
    disk_ = dir_ / "disk";
    fs::create_directories(disk_);
  }
  // A frame of the big pictures takes about 3.2 MB.
  bool MountDisk(const char* size) {
    mounted_ = ::mount("tmpfs", disk_.c_str(), "tmpfs", 0, (std::string("size=") + size).c_str()) == 0;
    return mounted_;
  }
  void TearDown() override {
    if (mounted_) ::umount2(disk_.c_str(), MNT_DETACH);
    RenderTool::TearDown();
  }
  std::string BigPictures() const {
    return "--old " + (dir_ / "big_old.png").string() + " --new " + (dir_ / "big_new.png").string();
  }
  size_t FilesOnDisk() const { return size_t(std::distance(fs::directory_iterator(disk_), fs::directory_iterator())); }
  fs::path disk_;
  bool mounted_ = false;
};

TEST_F(RenderToFullDisk, FailedWriteLeavesTheOldFileAndNoOther) {
  if (!MountDisk("2m")) GTEST_SKIP() << "cannot mount a tmpfs here";
  const fs::path out = disk_ / "frame.png";
  ASSERT_EQ(Render("--style 5 " + Pictures() + " --progress 50 --out " + out.string()).status, 0);
  const std::vector<uint8_t> before = ReadBytes(out);

  const Result full = Render("--style 5 " + BigPictures() + " --progress 50 --out " + out.string());
  EXPECT_EQ(full.status, 2);
  EXPECT_NE(full.err.find("No space left on device"), std::string::npos) << full.err;
  EXPECT_EQ(ReadBytes(out), before);
  EXPECT_EQ(FilesOnDisk(), 1u);

  const Result fresh = Render("--style 5 " + BigPictures() + " --progress 50 --out " + (disk_ / "new.png").string());
  EXPECT_EQ(fresh.status, 2);
  EXPECT_FALSE(fs::exists(disk_ / "new.png"));
  EXPECT_EQ(FilesOnDisk(), 1u);
}

TEST_F(RenderToFullDisk, FramesThatDoNotFitAreNotLeftCut) {
  if (!MountDisk("5m")) GTEST_SKIP() << "cannot mount a tmpfs here";
  const Result r = Render("--style 5 " + BigPictures() + " --frames " + (disk_ / "frames").string() + " --step 50");
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(fs::exists(disk_ / "frames" / "frame_000.png"));
  EXPECT_FALSE(fs::exists(disk_ / "frames" / "frame_001.png"));
  for (const auto& entry : fs::directory_iterator(disk_ / "frames")) {
    EXPECT_EQ(entry.path().filename().string().front(), 'f') << "temporary file left: " << entry.path();
    EXPECT_NO_THROW(platform::DecodePicture(entry.path())) << entry.path();
  }
}

}  // namespace

// Photos stored turned, with an EXIF Orientation tag, are rendered upright:
// a whole transition from each to its upright original (tag 1) ends on a
// picture of the same size that matches it.
TEST_F(RenderTool, RendersExifTurnedPhotosUpright) {
  const fs::path exif = fs::path(VANTREL_TEST_DATA) / "jpeg" / "exif";
  const fs::path out = dir_ / "upright.png";
  for (const char* name : {"Landscape_0", "Landscape_2", "Landscape_3", "Landscape_4", "Landscape_5", "Landscape_6",
                           "Landscape_7", "Landscape_8", "Portrait_3", "Portrait_6", "Portrait_8"}) {
    SCOPED_TRACE(name);
    const fs::path upright = exif / (std::string(name).starts_with("Landscape") ? "Landscape_1.jpg" : "Portrait_1.jpg");
    const fs::path turned = exif / (std::string(name) + ".jpg");
    const Result r = Render("--style 1 --old " + upright.string() + " --new " + turned.string() +
                            " --progress 100 --out " + out.string());
    ASSERT_EQ(r.status, 0) << r.err;
    const auto frame = platform::DecodePicture(out);
    const auto original = platform::DecodePicture(upright);
    ASSERT_EQ(frame->Width(), original->Width());
    ASSERT_EQ(frame->Height(), original->Height());
    double difference = 0;
    int samples = 0;
    for (int32_t y = 0; y < frame->Height(); y += 11) {
      for (int32_t x = 0; x < frame->Width(); x += 11) {
        const raster::TRGBQuad p = frame->ScanLine(y)[x], q = original->ScanLine(y)[x];
        difference +=
            std::abs(p.rgbRed - q.rgbRed) + std::abs(p.rgbGreen - q.rgbGreen) + std::abs(p.rgbBlue - q.rgbBlue);
        samples += 3;
      }
    }
    EXPECT_LT(difference / samples, 4.0);  // a picture the wrong way round differs by tens
  }
}
