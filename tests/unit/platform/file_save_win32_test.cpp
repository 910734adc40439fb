// A save keeps the file's identity on Windows: its attributes, and a symbolic
// link where the system lets this user make one. A reader that doesn't share
// deletion (the game reading its subtitles) blocks the rename while it holds
// the file: the save retries it for as long as asked.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <thread>

#include "platform/file_read.h"
#include "platform/file_save.h"
#include "platform/system_error.h"
#include "state/state_test_support.h"

namespace korvix {
namespace {

class HeldOpen {
 public:
  explicit HeldOpen(const fs::path& path)
      : handle_(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~HeldOpen() { release(); }
  bool held() const { return handle_ != INVALID_HANDLE_VALUE; }
  void release() {
    if (held()) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_;
};

// The game has the file open while the save retries the rename for a second.
class FileSaveHeldWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    test::write_bytes(target_, "old");
    game_.emplace(target_);
    ASSERT_TRUE(game_->held());
  }
  SaveResult save() const {
    SaveOptions options;
    options.temp_suffix = ".new";
    options.replace_retry_for = std::chrono::milliseconds(1000);
    return save_file(target_, "new", options);
  }

  test::TempFolder temp_;
  fs::path target_ = temp_ / "korvix.subtitles";
  std::optional<HeldOpen> game_;
};

TEST_F(FileSaveHeldWin32, AReaderHoldingTheFileLongerThanTheRetryFailsTheSaveAndKeepsTheFile) {
  SaveResult saved = save();
  EXPECT_EQ(saved.failed_at, SaveStep::replacing);
  EXPECT_FALSE(saved.reason.empty());
  game_->release();
  EXPECT_EQ(read_file_bytes(target_), "old");
  EXPECT_FALSE(fs::exists(temp_ / "korvix.subtitles.new"));
}

TEST_F(FileSaveHeldWin32, AReaderLettingGoWithinTheRetryLetsTheSaveThrough) {
  std::thread letting_go([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    game_->release();
  });
  SaveResult saved = save();
  letting_go.join();
  EXPECT_TRUE(saved.ok()) << saved.reason;
  EXPECT_EQ(read_file_bytes(target_), "new");
}

TEST(FileSaveWin32, AHiddenFileStaysHiddenAndAReadOnlyOneIsRefused) {
  test::TempFolder temp;
  fs::path target = temp / "launcher.ini";
  test::write_bytes(target, "old");
  ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(save_file(target, "new").ok());
  EXPECT_EQ(read_file_bytes(target), "new");
  EXPECT_NE(GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);

  ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
  SaveResult saved = save_file(target, "newer");
  EXPECT_EQ(saved.failed_at, SaveStep::replacing);
  EXPECT_EQ(saved.reason, system_error_text(ERROR_ACCESS_DENIED));
  EXPECT_EQ(read_file_bytes(target), "new");
  SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(FileSaveWin32, ALinkStaysALink) {
  test::TempFolder temp;
  fs::create_directories(temp / "install");
  test::write_bytes(temp / "shared" / "korvix.toml", "old");
  fs::path link = temp / "install" / "korvix.toml";
  fs::path real = temp / "shared" / "korvix.toml";
  // Wine's claims to make one and makes nothing.
  CreateSymbolicLinkW(link.c_str(), real.c_str(), SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
  DWORD attributes = GetFileAttributesW(link.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
    GTEST_SKIP() << "this system doesn't let this user make symbolic links";
  ASSERT_TRUE(save_file(link, "new").ok());
  EXPECT_NE(GetFileAttributesW(link.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT, 0u) << "the link was replaced";
  EXPECT_EQ(read_file_bytes(real), "new");
}

}  // namespace
}  // namespace korvix
