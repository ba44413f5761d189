// The next photo decoded on a worker thread: held-back decodes show that the
// caller goes on meanwhile, that only the last decode started is taken, and
// that failures come back as text.
#include "app/photo_preload.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <stdexcept>

namespace app_test {
namespace {

using namespace std::chrono_literals;

// A decoder that waits for the test's word before it returns a bitmap as
// wide as the number in the file's name ("7" gives 7 × 1); "bad" fails.
class HeldDecoder {
 public:
  app::TPhotoPreload::TDecoder Decoder() {
    return [this](const std::filesystem::path& file, raster::Size) {
      if (release_.wait_for(5s) != std::future_status::ready) throw std::runtime_error("never released");
      if (file == "bad") throw std::runtime_error("bad: not a picture");
      return std::make_unique<raster::Bitmap>(std::stoi(file.string()), 1);
    };
  }
  void Release() { releaser_.set_value(); }

 private:
  std::promise<void> releaser_;
  std::shared_future<void> release_ = releaser_.get_future().share();
};

TEST(PhotoPreload, TheCallerGoesOnWhileThePhotoDecodesAndTakesItWhenReady) {
  HeldDecoder held;
  app::TPhotoPreload preload(held.Decoder());
  std::promise<void> readyCalled;
  preload.Start("seven.jpg", "7", {}, [&] { readyCalled.set_value(); });
  EXPECT_TRUE(preload.Pending());
  EXPECT_FALSE(preload.Take(false)) << "a result before the decoder returned";
  EXPECT_TRUE(preload.Pending());

  held.Release();
  ASSERT_EQ(readyCalled.get_future().wait_for(5s), std::future_status::ready);
  std::optional<app::TPhotoPreload::TDecoded> decoded = preload.Take(false);
  ASSERT_TRUE(decoded) << "ready was called before the result could be taken";
  EXPECT_EQ(decoded->name, "seven.jpg");
  ASSERT_TRUE(decoded->graphic);
  EXPECT_EQ(decoded->graphic->Width(), 7);
  EXPECT_TRUE(decoded->error.isEmpty());
  EXPECT_FALSE(preload.Pending());
  EXPECT_FALSE(preload.Take(true)) << "taken twice";
}

TEST(PhotoPreload, AFailedDecodeComesBackAsItsErrorText) {
  HeldDecoder held;
  held.Release();
  app::TPhotoPreload preload(held.Decoder());
  preload.Start("bad.jpg", "bad", {}, nullptr);
  std::optional<app::TPhotoPreload::TDecoded> decoded = preload.Take(true);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->name, "bad.jpg");
  EXPECT_FALSE(decoded->graphic);
  EXPECT_EQ(decoded->error, "bad: not a picture");
}

// A new decode does not wait for the one before, which ends on its own
// thread and is dropped: only the last decode started is taken.
TEST(PhotoPreload, OnlyTheLastDecodeStartedIsTakenAndNoneIsWaitedFor) {
  HeldDecoder held;
  std::atomic<int> readyCalls{0};
  {
    app::TPhotoPreload preload(held.Decoder());
    preload.Start("three.jpg", "3", {}, [&] { ++readyCalls; });
    preload.Start("five.jpg", "5", {}, [&] { ++readyCalls; });
    EXPECT_EQ(readyCalls.load(), 0) << "the decode before was waited for";
    held.Release();
    std::optional<app::TPhotoPreload::TDecoded> decoded = preload.Take(true);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->name, "five.jpg");
    EXPECT_EQ(decoded->graphic->Width(), 5);

    preload.Start("four.jpg", "4", {}, [&] { ++readyCalls; });
    preload.Drop();
    EXPECT_FALSE(preload.Pending());
    EXPECT_FALSE(preload.Take(true));
  }
  EXPECT_EQ(readyCalls.load(), 3) << "every decode ends before the preload is gone";
}

// Photos from a real decoder for a screen: the default decoder is
// platform::DecodePicture with the cover passed on.
TEST(PhotoPreload, TheDefaultDecoderReadsTheFileForTheScreen) {
  app::TPhotoPreload preload;
  preload.Start("missing.jpg", "/nonexistent/missing.jpg", {640, 480}, nullptr);
  std::optional<app::TPhotoPreload::TDecoded> decoded = preload.Take(true);
  ASSERT_TRUE(decoded);
  EXPECT_FALSE(decoded->graphic);
  EXPECT_TRUE(decoded->error.contains("missing.jpg")) << decoded->error.toStdString();
}

}  // namespace
}  // namespace app_test
