// vantrel-render --slideshow: the video is read back with libavformat and
// compared with the still frames the same tool renders.
#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <png.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/picture_decoder.h"
#include "platform/raster/bitmap.h"
#include "video_reader.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using video_reader::Psnr;
using video_reader::ReadVideo;

// 160 × 96 at 10 fps, 1 s stills and 0.5 s changes: 10 still and 5 change frames.
constexpr int kWidth = 160, kHeight = 96, kFps = 10, kStill = 10, kChange = 5;
const std::string kShow = "--size 160x96 --fps 10 --interval 1 --transition-ms 500";

struct Outcome {
  int status = -1;
  std::string out, err;
};

// Starts vantrel-render with the arguments, both outputs going to files.
class Process {
 public:
  Process(const std::vector<std::string>& args, const fs::path& logs) : out_(logs / "out.txt"), err_(logs / "err.txt") {
    std::vector<std::string> all{VANTREL_RENDER};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 1, out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&files, 2, err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int spawned = posix_spawn(&pid_, argv[0], &files, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    if (spawned != 0) pid_ = -1;
  }
  pid_t Pid() const { return pid_; }
  // The outcome; a run still going after `limit` is killed (status -1), so
  // that a program that hangs fails the test instead of stopping it.
  Outcome Wait(std::chrono::seconds limit = std::chrono::seconds(120)) {
    Outcome r;
    int raw = 0;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    pid_t done = 0;
    while (pid_ > 0 && (done = waitpid(pid_, &raw, WNOHANG)) == 0 && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (pid_ > 0 && done == 0) {
      ::kill(pid_, SIGKILL);
      waitpid(pid_, &raw, 0);
      raw = -1;
    }
    if (done == pid_) r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = Slurp(out_);
    r.err = Slurp(err_);
    fs::remove(out_);
    fs::remove(err_);
    return r;
  }

 private:
  static std::string Slurp(const fs::path& p) {
    std::ifstream in(p);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  fs::path out_, err_;
  pid_t pid_ = -1;
};

// A smooth picture, lighter for every `kind`: shallow gradients of nearly
// one hue, which the encoder (its colour at half resolution above all) keeps
// well, so that differences come from the frames, not from compression.
raster::Bitmap Photo(int w, int h, int kind) {
  raster::Bitmap b(w, h);
  const int base = 30 + 85 * kind;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const uint32_t r = uint32_t(base + x * 50 / w), g = uint32_t(base + y * 50 / h);
      const uint32_t bl = uint32_t(base + (x + y) * 25 / (w + h));
      b.SetPixel(x, y, 0xFF000000u | r << 16 | g << 8 | bl);
    }
  }
  return b;
}

raster::Bitmap Solid(int w, int h, uint32_t rgb) {
  raster::Bitmap b(w, h);
  b.Fill(0xFF000000u | rgb);
  return b;
}

void WritePng(const raster::Bitmap& b, const fs::path& path) {
  std::string rgb;
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) {
      const uint32_t p = b.Pixel(x, y);
      rgb += {char(p >> 16), char(p >> 8), char(p)};
    }
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(b.Width());
  image.height = png_uint_32(b.Height());
  image.format = PNG_FORMAT_RGB;
  ASSERT_TRUE(png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr));
}

std::vector<std::string> Names(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class SlideshowVideo : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("slideshow_video_" + std::to_string(::getpid()) + "_" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(photos_ = root_ / "photos");
    fs::create_directories(out_ = root_ / "out");
    for (int i = 0; i < 3; ++i) WritePng(Photo(kWidth, kHeight, i), photos_ / ("p" + std::to_string(i + 1) + ".png"));
  }
  void TearDown() override { fs::remove_all(root_); }

  Outcome Render(std::vector<std::string> args) {
    Process p(args, root_);
    return p.Wait();
  }
  Outcome Export(const fs::path& video, const std::string& options) {
    std::vector<std::string> args{"--slideshow", photos_.string(), "--video", video.string()};
    std::istringstream words(options);
    for (std::string w; words >> w;) args.push_back(w);
    return Render(args);
  }
  // The still frame the tool renders for two photos of the folder.
  std::unique_ptr<raster::Bitmap> Still(int oldIndex, int newIndex, int style, int progress, int seed) {
    const fs::path still = root_ / "still.png";
    const Outcome r = Render({"--style", std::to_string(style), "--old",
                              (photos_ / ("p" + std::to_string(oldIndex) + ".png")).string(), "--new",
                              (photos_ / ("p" + std::to_string(newIndex) + ".png")).string(), "--progress",
                              std::to_string(progress), "--seed", std::to_string(seed), "--out", still.string()});
    EXPECT_EQ(r.status, 0) << r.err;
    return platform::DecodePicture(still);
  }

  fs::path root_, photos_, out_;
};

struct FormatCase {
  const char* name;
  const char* extension;
  const char* codec;
  const char* container;
};

// The container and codec follow the name; the show starts on the first
// photo, ends on the last, and each change lasts its frames.
TEST_F(SlideshowVideo, ThreePhotosMakeTheShowInEveryFormat) {
  const FormatCase cases[] = {
      {"mp4", ".mp4", "h264", "mov,mp4,m4a,3gp,3g2,mj2"},
      {"mkv", ".mkv", "h264", "matroska,webm"},
      {"webm in capitals", ".WEBM", "vp9", "matroska,webm"},
  };
  for (const FormatCase& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path video = out_ / (std::string("show") + c.extension);
    const Outcome r = Export(video, kShow);
    ASSERT_EQ(r.status, 0) << r.err;
    // Not a terminal: the summary line alone.
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_NE(r.err.find("40 frames"), std::string::npos) << r.err;
    const auto v = ReadVideo(video);
    EXPECT_EQ(v.container, c.container);
    EXPECT_EQ(v.videoCodec, c.codec);
    EXPECT_EQ(v.pixelFormat, "yuv420p");
    EXPECT_EQ(v.width, kWidth);
    EXPECT_EQ(v.height, kHeight);
    EXPECT_EQ(v.frames, 3 * kStill + 2 * kChange);
    EXPECT_NEAR(v.frameRate, kFps, 1e-9);
    EXPECT_NEAR(v.seconds, 4.0, 0.05);
    EXPECT_NEAR(v.lastFrameEnd, 4.0, 1e-6);
    EXPECT_TRUE(v.audioCodec.empty());
    EXPECT_EQ(Names(out_), std::vector<std::string>{video.filename().string()});
    fs::remove(video);
  }
}

// MP4 puts its index in front, so that playback can start while loading.
TEST_F(SlideshowVideo, Mp4StartsWithItsIndex) {
  const fs::path video = out_ / "show.mp4";
  ASSERT_EQ(Export(video, kShow).status, 0);
  std::ifstream in(video, std::ios::binary);
  const std::string bytes(std::istreambuf_iterator<char>(in), {});
  ASSERT_NE(bytes.find("moov"), std::string::npos);
  EXPECT_LT(bytes.find("moov"), bytes.find("mdat"));
}

// A frame of a change is the still frame of the same style and progress,
// up to what the encoder loses.
TEST_F(SlideshowVideo, ChangeFramesAreTheStillFrames) {
  struct Case {
    const char* name;
    std::string options;
    int64_t frame;  // index in the video
    int oldPhoto, newPhoto, style, progress, seed;
  };
  const Case cases[] = {
      // Cycle: the first change is style 1, the second style 2; frame 3 of 5 is progress 60.
      {"cycle, first change", "", kStill + 2, 1, 2, 1, 60, 1},
      {"cycle, second change", "", 2 * kStill + kChange + 1, 2, 3, 2, 40, 2},
      {"fixed elliptic reveal", "--style 84", kStill + 2, 1, 2, 84, 60, 1},
      {"fixed curved reveal, seeded", "--style 58 --seed 9", 2 * kStill + kChange + 1, 2, 3, 58, 40, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path video = out_ / "show.mp4";
    const Outcome r = Export(video, kShow + " " + c.options);
    ASSERT_EQ(r.status, 0) << r.err;
    const auto v = ReadVideo(video, {c.frame});
    ASSERT_EQ(v.kept.count(c.frame), 1u);
    const raster::Bitmap& frame = *v.kept.at(c.frame);
    const auto still = Still(c.oldPhoto, c.newPhoto, c.style, c.progress, c.seed);
    const double match = Psnr(frame, *still);
    EXPECT_GE(match, 35.0);
    // Either photo alone is a much worse match, so the one above says something.
    EXPECT_LT(Psnr(frame, Photo(kWidth, kHeight, c.oldPhoto - 1)), match - 8);
    EXPECT_LT(Psnr(frame, Photo(kWidth, kHeight, c.newPhoto - 1)), match - 8);
  }
}

// A 100 × 50 red photo in the 160 × 96 frame on blue, placed as the view does.
TEST_F(SlideshowVideo, PlacementAndBackgroundFollowTheView) {
  for (const char* p : {"p1.png", "p2.png", "p3.png"}) fs::remove(photos_ / p);
  WritePng(Solid(100, 50, 0xFF0000), photos_ / "red.png");
  struct Probe {
    int x, y;
    bool red;
  };
  struct Case {
    const char* placement;
    std::vector<Probe> probes;
  };
  const Case cases[] = {
      // Scaled to 160 × 80, rows 8..87.
      {"fit", {{80, 3, false}, {80, 12, true}, {2, 48, true}, {157, 83, true}, {80, 92, false}}},
      // Natural size at (30, 23)..(130, 73).
      {"centre",
       {{25, 48, false}, {35, 48, true}, {125, 48, true}, {135, 48, false}, {80, 18, false}, {80, 78, false}}},
      {"stretch", {{2, 2, true}, {157, 93, true}, {80, 48, true}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.placement);
    const fs::path video = out_ / "placed.mkv";
    const Outcome r = Export(video, kShow + " --background #0000FF --placement " + c.placement);
    ASSERT_EQ(r.status, 0) << r.err;
    const auto v = ReadVideo(video, {0});
    ASSERT_EQ(v.frames, kStill);
    const raster::Bitmap& frame = *v.kept.at(0);
    for (const Probe& p : c.probes) {
      const uint32_t px = frame.Pixel(p.x, p.y);
      const int r8 = int(px >> 16 & 0xFF), g8 = int(px >> 8 & 0xFF), b8 = int(px & 0xFF);
      SCOPED_TRACE(::testing::Message() << "pixel " << p.x << "," << p.y << " = " << r8 << "," << g8 << "," << b8);
      EXPECT_NEAR(r8, p.red ? 255 : 0, 24);
      EXPECT_NEAR(g8, 0, 24);
      EXPECT_NEAR(b8, p.red ? 0 : 255, 24);
    }
  }
}

// A sound track longer than the show is cut at its end and fades out.
TEST_F(SlideshowVideo, SoundIsCutToTheVideoAndFadesOut) {
  // 6 s of a 440 Hz tone, 16-bit mono at 44.1 kHz.
  const fs::path tone = root_ / "tone.wav";
  {
    const int rate = 44100, samples = rate * 6;
    std::ofstream wav(tone, std::ios::binary);
    const auto put32 = [&](uint32_t v) { wav.write(reinterpret_cast<const char*>(&v), 4); };
    const auto put16 = [&](uint16_t v) { wav.write(reinterpret_cast<const char*>(&v), 2); };
    wav << "RIFF";
    put32(36 + samples * 2);
    wav << "WAVEfmt ";
    put32(16), put16(1), put16(1), put32(rate), put32(rate * 2), put16(2), put16(16);
    wav << "data";
    put32(samples * 2);
    for (int i = 0; i < samples; ++i) put16(uint16_t(int16_t(12000 * std::sin(2 * M_PI * 440 * i / rate))));
  }
  for (const char* ext : {".mp4", ".webm"}) {
    SCOPED_TRACE(ext);
    const fs::path video = out_ / (std::string("sound") + ext);
    const Outcome r = Export(video, kShow + " --audio " + tone.string());
    ASSERT_EQ(r.status, 0) << r.err;
    const auto v = ReadVideo(video);
    EXPECT_EQ(v.audioCodec, std::string(ext) == ".mp4" ? "aac" : "opus");
    EXPECT_EQ(v.frames, 40);
    ASSERT_EQ(v.soundRate, 48000);
    // The video lasts 4 s; the encoder's priming may add a frame of sound.
    const double soundSeconds = double(v.sound.size()) / v.soundRate;
    EXPECT_GT(soundSeconds, 3.9);
    EXPECT_LT(soundSeconds, 4.1);
    const auto loudness = [&](double from, double to) {
      double sum = 0;
      const size_t a = size_t(from * v.soundRate), b = size_t(to * v.soundRate);
      for (size_t i = a; i < b && i < v.sound.size(); ++i) sum += double(v.sound[i]) * v.sound[i];
      return std::sqrt(sum / double(b - a));
    };
    const double full = loudness(0.5, 1.5);
    EXPECT_NEAR(full, 12000.0 / 32768 / std::sqrt(2.0), 0.02);  // the tone at its own level
    EXPECT_NEAR(loudness(3.0, 3.1), full / 2, full * 0.1);  // halfway through the fade
    EXPECT_LT(loudness(3.85, 3.9), full * 0.1);  // almost silent at the end
  }
}

// A photo that cannot be loaded is left out with a warning; the rest go on.
TEST_F(SlideshowVideo, BrokenPhotoIsSkippedWithAWarning) {
  std::ofstream(photos_ / "p15.jpg") << "not a picture";
  const fs::path video = out_ / "show.mp4";
  fs::remove(photos_ / "p3.png");
  const Outcome r = Export(video, kShow);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("warning: skipped"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("p15.jpg"), std::string::npos) << r.err;
  EXPECT_EQ(ReadVideo(video).frames, 2 * kStill + kChange);
}

// Bad input: one clear line, status 2, and the output folder as it was
// (an older video of the same name untouched).
TEST_F(SlideshowVideo, BadInputLeavesNothingBehind) {
  fs::create_directories(root_ / "empty");
  fs::create_directories(root_ / "broken");
  std::ofstream(root_ / "broken" / "a.jpg") << "not a picture";
  std::ofstream(root_ / "broken" / "b.png") << "not a picture";
  fs::create_directories(out_ / "folder.mp4");
  std::ofstream(out_ / "old.mp4") << "an older video";
  std::ofstream(root_ / "noise.wav") << "not a sound";
  const std::string photos = photos_.string(), out = out_.string();
  struct Case {
    const char* name;
    std::string args;
    const char* says;
  };
  const Case cases[] = {
      {"folder without photos", "--slideshow " + (root_ / "empty").string() + " --video " + out + "/old.mp4",
       "no photos"},
      {"no photo loads", "--slideshow " + (root_ / "broken").string() + " --video " + out + "/old.mp4",
       "could be loaded"},
      {"missing folder", "--slideshow " + (root_ / "nowhere").string() + " --video " + out + "/old.mp4",
       "not a folder"},
      {"odd size", "--slideshow " + photos + " --video " + out + "/old.mp4 --size 161x96", "even"},
      {"zero size", "--slideshow " + photos + " --video " + out + "/old.mp4 --size 0x96", "out of range"},
      {"WebM larger than its memory allows", "--slideshow " + photos + " --video " + out + "/old.webm --size 8192x8192",
       "memory"},
      {"size without x", "--slideshow " + photos + " --video " + out + "/old.mp4 --size 160", "WxH"},
      {"unwritable output", "--slideshow " + photos + " --video " + out + "/missing/show.mp4", "cannot write"},
      {"output is a folder", "--slideshow " + photos + " --video " + out + "/folder.mp4", "is a folder"},
      {"unknown extension", "--slideshow " + photos + " --video " + out + "/show.avi", ".mp4, .mkv or .webm"},
      {"no extension", "--slideshow " + photos + " --video " + out + "/show", ".mp4, .mkv or .webm"},
      {"missing sound", "--slideshow " + photos + " --video " + out + "/old.mp4 --audio " + out + "/none.wav",
       "sound file"},
      {"sound that is not",
       "--slideshow " + photos + " --video " + out + "/old.mp4 --audio " + (root_ / "noise.wav").string(),
       "sound file"},
      {"no style 173", "--slideshow " + photos + " --video " + out + "/old.mp4 --style 173", "173"},
      {"unknown placement", "--slideshow " + photos + " --video " + out + "/old.mp4 --placement tile", "placement"},
      {"colour by name", "--slideshow " + photos + " --video " + out + "/old.mp4 --background red", "#RRGGBB"},
      {"zero frame rate", "--slideshow " + photos + " --video " + out + "/old.mp4 --fps 0", "frame rate"},
      {"nothing to show", "--slideshow " + photos + " --video " + out + "/old.mp4 --interval 0 --transition-ms 0",
       "no frames"},
      {"no video named", "--slideshow " + photos, "--video"},
  };
  const std::vector<std::string> before = Names(out_);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> args;
    std::istringstream words(c.args);
    for (std::string w; words >> w;) args.push_back(w);
    const Outcome r = Render(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty());
    // The error is the last line; skipped photos may be warned of before it.
    const std::string last = r.err.substr(r.err.rfind('\n', r.err.size() - 2) + 1);
    EXPECT_EQ(last.rfind("vantrel-render: ", 0), 0u) << r.err;
    EXPECT_EQ(last.find("warning"), std::string::npos) << r.err;
    EXPECT_NE(last.find(c.says), std::string::npos) << r.err;
    EXPECT_EQ(Names(out_), before);
  }
  std::ifstream old(out_ / "old.mp4");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), {}), "an older video");
}

// Ctrl-C (once or twice in a row), a kill and a closed terminal while the
// video is being written: status 130, no file left, not even the hidden one.
TEST_F(SlideshowVideo, InterruptRemovesThePartialVideo) {
  const struct {
    const char* name;
    std::vector<int> signals;
  } cases[] = {
      {"Ctrl-C", {SIGINT}}, {"Ctrl-C twice", {SIGINT, SIGINT}},        {"SIGTERM", {SIGTERM}},
      {"SIGHUP", {SIGHUP}}, {"SIGHUP, then Ctrl-C", {SIGHUP, SIGINT}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path video = out_ / "long.mp4";
    // A minute per photo: far longer than the moment the test waits; large
    // frames, so that a second signal comes while the export still stops.
    Process p({"--slideshow", photos_.string(), "--video", video.string(), "--size", "3840x2160", "--interval", "60"},
              root_);
    ASSERT_GT(p.Pid(), 0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (Names(out_).empty() && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_FALSE(Names(out_).empty()) << "the export never started writing";
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    for (const int signal : c.signals) {
      ::kill(p.Pid(), signal);
      // Apart, so that the second is not merged into the first.
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    const Outcome r = p.Wait();
    EXPECT_EQ(r.status, 130) << r.err;
    EXPECT_NE(r.err.find("interrupted"), std::string::npos) << r.err;
    EXPECT_TRUE(Names(out_).empty());
  }
}

// The target exists and is not a regular file: refused before any frame,
// status 2, and left as it was.
TEST_F(SlideshowVideo, OutputThatIsNotARegularFileIsRefused) {
  std::ofstream(out_ / "pointed.mp4") << "an older video";
  const struct {
    const char* name;
    const char* says;
    std::function<bool(const fs::path&)> make;
    fs::file_type type;
  } cases[] = {
      {"character device", "not a regular file",
       [](const fs::path& p) { return ::mknod(p.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0; },
       fs::file_type::character},
      {"pipe", "not a regular file", [](const fs::path& p) { return ::mkfifo(p.c_str(), 0600) == 0; },
       fs::file_type::fifo},
      {"link to a regular file", "symbolic link",
       [this](const fs::path& p) { return ::symlink((out_ / "pointed.mp4").c_str(), p.c_str()) == 0; },
       fs::file_type::symlink},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path target = out_ / "target.mp4";
    fs::remove(target);
    if (!c.make(target)) {
      ADD_FAILURE() << "cannot make the target: " << std::strerror(errno);
      continue;
    }
    const Outcome r = Process({"--slideshow", photos_.string(), "--video", target.string()}, root_).Wait();
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    EXPECT_EQ(fs::symlink_status(target).type(), c.type);
    EXPECT_EQ(Names(out_), (std::vector<std::string>{"pointed.mp4", "target.mp4"}));
  }
  std::ifstream old(out_ / "pointed.mp4");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), {}), "an older video");
}

// --audio reads local regular files only: a pipe is refused at once (it
// would wait for a writer), and an address is a file name like any other,
// never fetched.
TEST_F(SlideshowVideo, SoundIsALocalRegularFileOnly) {
  ASSERT_EQ(::mkfifo((root_ / "sound.fifo").c_str(), 0600), 0);
  const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
  ASSERT_GE(listener, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(listener, 4), 0);
  ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
  const std::string url = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/s.mp3";

  const struct {
    std::string sound;
    const char* says;
  } cases[] = {{(root_ / "sound.fifo").string(), "pipe"}, {url, "No such file"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sound);
    const fs::path video = out_ / "show.mp4";
    Process p({"--slideshow", photos_.string(), "--video", video.string(), "--audio", c.sound}, root_);
    const Outcome r = p.Wait(std::chrono::seconds(20));
    EXPECT_EQ(r.status, 2) << r.err;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    EXPECT_TRUE(Names(out_).empty());
  }
  EXPECT_LT(::accept(listener, nullptr, nullptr), 0) << "the sound was fetched over the network";
  ::close(listener);
}

// Names up to the system's 255 bytes work for a video as for a PNG, and a
// write that fails names the file asked for, not the temporary one.
TEST_F(SlideshowVideo, LongNamesWorkAndErrorsNameTheFileAskedFor) {
  const fs::path longName = out_ / (std::string(251, 'v') + ".mp4");
  const Outcome made = Export(longName, kShow);
  ASSERT_EQ(made.status, 0) << made.err;
  EXPECT_EQ(ReadVideo(longName).frames, 3 * kStill + 2 * kChange);
  fs::remove(longName);

  const fs::path disk = root_ / "disk";
  fs::create_directories(disk);
  if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=16k") != 0) GTEST_SKIP() << "cannot mount a tmpfs here";
  const fs::path video = disk / "show.mp4";
  const Outcome full = Export(video, "--size 640x384 --fps 30 --interval 1 --transition-ms 1000");
  ::umount2(disk.c_str(), MNT_DETACH);
  EXPECT_EQ(full.status, 2);
  EXPECT_NE(full.err.find("'" + video.string() + "'"), std::string::npos) << full.err;
  EXPECT_NE(full.err.find("No space left"), std::string::npos) << full.err;
  EXPECT_EQ(full.err.find(".part"), std::string::npos) << full.err;
}

}  // namespace
