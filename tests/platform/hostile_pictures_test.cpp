// Files that would keep a decoder busy far beyond their size, and files that
// are not regular files at all: each is refused at once with a clear cause.
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <string>

#include "platform/picture_decoder.h"
#include "platform/picture_error.h"
#include "test_picture_writer.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The cause of DecodePicture's error, or "decoded".
std::string DecodeOutcome(const fs::path& path) {
  try {
    platform::DecodePicture(path);
    return "decoded";
  } catch (const platform::PictureError& error) {
    return error.what();
  }
}

TEST(HostilePictures, AreRefusedByWhatTheirHeadersClaim) {
  test_pictures::TempFolder folder;
  const fs::path out = folder / "hostile";
  const std::string command =
      "python3 " VANTREL_SOURCE_DIR "/tests/make_hostile_pictures.py " + out.string() + " >/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  const std::pair<const char*, const char*> cases[] = {
      {"progressive_994_scans.jpg", "scans are too many for a picture of this size"},
      {"inflates_1gib_1x1.png", "compressed picture data goes on after the last row"},
      {"inflates_4gib_1x1.png", "compressed picture data goes on after the last row"},
      {"sparse_8gb.jpg", "bytes is larger than any picture of the accepted size"},
      {"ico_png_12000.ico", "picture 12000 × 12000 exceeds the limit of 100 megapixels"},
      {"bmp_92mp_short.bmp", "picture 9592 × 9592 needs 276019392 bytes of pixel data, the file holds 18"},
      {"bmp_17mp_rle.bmp", "picture 4123 × 4123 needs 133328 bytes of pixel data, the file holds 4"},
  };
  for (const auto& [name, cause] : cases) {
    const std::string outcome = DecodeOutcome(out / name);
    EXPECT_TRUE(outcome.starts_with(std::string(name) + ": ") && outcome.ends_with(cause)) << outcome;
  }
}

// A pipe opened for reading waits for a writer: give the decoder a few
// seconds, then release it by opening the write end, so that a decoder that
// blocks fails the test instead of hanging it.
std::string DecodeWithoutBlocking(const fs::path& path, const fs::path& fifo) {
  auto outcome = std::async(std::launch::async, [path] { return DecodeOutcome(path); });
  if (outcome.wait_for(5s) == std::future_status::ready) return outcome.get();
  const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
  if (writer >= 0) ::close(writer);
  outcome.wait();
  return "blocked";
}

TEST(HostilePictures, OnlyRegularFilesAreOpened) {
  test_pictures::TempFolder folder;
  const fs::path fifo = folder / "pipe.jpg";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  fs::create_symlink(fifo, folder / "link-to-pipe.png");
  fs::create_symlink("/dev/zero", folder / "link-to-device.bmp");
  const fs::path socketPath = folder / "socket.tif";
  const int socketFd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socketPath.c_str());
  ASSERT_EQ(::bind(socketFd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

  const std::pair<const char*, const char*> cases[] = {
      {"pipe.jpg", "pipe.jpg: is a pipe, not a picture file"},
      {"link-to-pipe.png", "link-to-pipe.png: is a pipe, not a picture file"},
      {"link-to-device.bmp", "link-to-device.bmp: is a device, not a picture file"},
      {"socket.tif", "socket.tif: cannot open: No such device or address"},
  };
  for (const auto& [name, message] : cases) EXPECT_EQ(DecodeWithoutBlocking(folder / name, fifo), message);
  ::close(socketFd);
}

}  // namespace
