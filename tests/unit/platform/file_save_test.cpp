#include "platform/file_save.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>

#include "platform/paths.h"

namespace korvix {
namespace {

class FileSave : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device random;
    folder_ = std::filesystem::temp_directory_path() / ("korvix-save-" + std::to_string(random()));
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  static std::string read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  size_t entries_in(const std::filesystem::path& folder) const {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
  }

  std::filesystem::path folder_;
};

TEST_F(FileSave, WritesExactBytesAndReplacesTheOldFile) {
  std::filesystem::path target = folder_ / "launcher.ini";
  const std::string first("a=1\r\nb=2\r\n\0tail", 15);
  ASSERT_TRUE(save_file_atomically(target, first));
  EXPECT_EQ(read(target), first);

  ASSERT_TRUE(save_file_atomically(target, "c=3\r\n"));
  EXPECT_EQ(read(target), "c=3\r\n");
  EXPECT_EQ(entries_in(folder_), 1u);  // no temporary file left behind

  SaveOptions named;
  named.temp_suffix = ".new";
  ASSERT_TRUE(save_file_atomically(target, "d=4\r\n", named));
  EXPECT_EQ(read(target), "d=4\r\n");
  EXPECT_EQ(entries_in(folder_), 1u);
}

TEST_F(FileSave, CreatesFoldersOnlyWhenAsked) {
  std::filesystem::path target = folder_ / "sub" / "deeper" / "korvix.toml";
  std::string error;
  EXPECT_FALSE(save_file_atomically(target, "x", {}, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(std::filesystem::exists(folder_ / "sub"));

  SaveOptions options;
  options.create_folders = true;
  ASSERT_TRUE(save_file_atomically(target, "x", options, &error)) << error;
  EXPECT_EQ(read(target), "x");
}

TEST_F(FileSave, HandlesNamesOutsideAscii) {
  std::filesystem::path target = folder_ / path_from_utf8("J\xc3\xb6rg \xe3\x83\x86\xe3\x82\xb9\xe3\x83\x88") /
                                 path_from_utf8("\xf0\x9f\x8e\xae.subtitles");
  SaveOptions options;
  options.create_folders = true;
  ASSERT_TRUE(save_file_atomically(target, "line\n", options));
  EXPECT_EQ(read(target), "line\n");
  EXPECT_EQ(to_utf8(target.filename()), "\xf0\x9f\x8e\xae.subtitles");
}

TEST_F(FileSave, AFailedSaveLeavesTheTargetUntouched) {
  // A folder standing where the file should go cannot be replaced by a file.
  std::filesystem::path target = folder_ / "taken";
  std::filesystem::create_directories(target / "inside");
  std::string error;
  EXPECT_FALSE(save_file_atomically(target, "new", {}, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(std::filesystem::is_directory(target / "inside"));
  EXPECT_EQ(entries_in(folder_), 1u);  // the temporary file is gone
}

TEST_F(FileSave, AReadOnlyFileIsNotReplaced) {
  // Without any write permission: the read-only attribute on Windows.
  std::filesystem::path target = folder_ / "korvix.toml";
  ASSERT_TRUE(save_file_atomically(target, "kept"));
  std::filesystem::permissions(
      target,
      std::filesystem::perms::owner_write | std::filesystem::perms::group_write | std::filesystem::perms::others_write,
      std::filesystem::perm_options::remove);
  SaveResult saved = save_file(target, "new");
  EXPECT_EQ(saved.failed_at, SaveStep::replacing);
  EXPECT_FALSE(saved.reason.empty());
  EXPECT_EQ(read(target), "kept");
  EXPECT_EQ(entries_in(folder_), 1u);
  std::filesystem::permissions(target, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
  EXPECT_TRUE(save_file(target, "new").ok()) << "writable again";
  EXPECT_EQ(read(target), "new");
}

// The rename is tried again for as long as asked: on Windows a reader that
// doesn't share deletion (the game reading its subtitles) blocks it for a while.
// A folder with something in it can't be replaced by a file on any system.
TEST_F(FileSave, ARenameThatKeepsFailingIsTriedForTheTimeAskedThenReported) {
  using Clock = std::chrono::steady_clock;
  std::filesystem::path target = folder_ / "korvix.subtitles";
  std::filesystem::create_directories(target / "inside");
  SaveOptions options;
  options.temp_suffix = ".new";
  options.replace_retry_for = std::chrono::milliseconds(500);
  const Clock::time_point start = Clock::now();
  SaveResult saved = save_file(target, "new", options);
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();

  EXPECT_EQ(saved.failed_at, SaveStep::replacing);
  EXPECT_FALSE(saved.reason.empty());
  EXPECT_GE(seconds, 0.45) << "the rename is retried for the time asked";
  EXPECT_TRUE(std::filesystem::is_directory(target / "inside"));
  EXPECT_EQ(entries_in(folder_), 1u) << "the written copy is cleaned up";
}

TEST_F(FileSave, ARenameThatSucceedsWithinTheTimeAskedSaves) {
  std::filesystem::path target = folder_ / "korvix.subtitles";
  std::filesystem::create_directories(target / "inside");
  SaveOptions options;
  options.temp_suffix = ".new";
  options.replace_retry_for = std::chrono::milliseconds(1000);
  std::thread freeing([&target] {
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    std::filesystem::remove_all(target);
  });
  SaveResult saved = save_file(target, "new", options);
  freeing.join();
  EXPECT_TRUE(saved.ok()) << saved.reason;
  EXPECT_EQ(read(target), "new");
  EXPECT_EQ(entries_in(folder_), 1u);
}

}  // namespace
}  // namespace korvix
