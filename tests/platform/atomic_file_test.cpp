// A file written beside its final name and renamed into place: what it may
// replace, and what it leaves behind when it may not.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "platform/atomic_file.h"

namespace {

namespace fs = std::filesystem;

class AtomicFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("atomic_file_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Read(const fs::path& p) const {
    std::ifstream in(p);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  size_t Entries() const { return size_t(std::distance(fs::directory_iterator(dir_), fs::directory_iterator())); }
  static void Write(platform::TAtomicFile& file, const std::string& text) {
    ASSERT_EQ(std::fwrite(text.data(), 1, text.size(), file.Stream()), text.size());
  }
  fs::path dir_;
};

TEST_F(AtomicFile, ReplacesARegularFileAndTakesNamesOfEveryLength) {
  std::ofstream(dir_ / "old.txt") << "old";
  for (const std::string& name : {std::string("old.txt"), std::string(255, 'n')}) {
    platform::TAtomicFile file(dir_ / name, 0640);
    Write(file, "new");
    file.Commit();
    EXPECT_EQ(Read(dir_ / name), "new");
    EXPECT_EQ(fs::status(dir_ / name).permissions() & fs::perms::others_all, fs::perms::none);
  }
  EXPECT_EQ(Entries(), 2u);
}

// Whatever exists under the name and is not a regular file is refused, both
// when the file is made and when a target appears while it is written; the
// target stays as it was and the temporary file goes.
TEST_F(AtomicFile, RefusesTargetsThatAreNotRegularFiles) {
  std::ofstream(dir_ / "pointed") << "pointed";
  const struct {
    const char* name;
    platform::TTargetError error;
    std::function<int(const fs::path&)> make;
  } cases[] = {
      {"folder", platform::TTargetError::Folder, [](const fs::path& p) { return ::mkdir(p.c_str(), 0700); }},
      {"link", platform::TTargetError::SymbolicLink,
       [this](const fs::path& p) { return ::symlink((dir_ / "pointed").c_str(), p.c_str()); }},
      {"pipe", platform::TTargetError::NotRegularFile, [](const fs::path& p) { return ::mkfifo(p.c_str(), 0600); }},
      {"device", platform::TTargetError::NotRegularFile,
       [](const fs::path& p) { return ::mknod(p.c_str(), S_IFCHR | 0600, ::makedev(1, 3)); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path target = dir_ / "target";
    ASSERT_EQ(c.make(target), 0);
    const fs::file_type type = fs::symlink_status(target).type();
    try {
      platform::TAtomicFile refused(target);
      ADD_FAILURE() << "not refused";
    } catch (const std::system_error& e) {
      EXPECT_EQ(e.code(), platform::MakeErrorCode(c.error));
    }
    fs::remove(target);

    platform::TAtomicFile file(target);
    Write(file, "new");
    ASSERT_EQ(c.make(target), 0);  // appears while the file is written
    EXPECT_THROW(file.Commit(), std::system_error);
    EXPECT_EQ(fs::symlink_status(target).type(), type);
    EXPECT_EQ(Entries(), 2u);  // the target and the pointed file only
    fs::remove(target);
  }
  EXPECT_EQ(Read(dir_ / "pointed"), "pointed");
}

}  // namespace
