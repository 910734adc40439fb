// The game reads korvix.subtitles while the editor saves it. A reader that
// doesn't share deletion blocks the rename for as long as it holds the file.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "platform/file_read.h"
#include "platform/paths.h"
#include "state/state_test_support.h"
#include "subtitles/subtitle_save.h"

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

class SubtitleSaveWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ofstream(target_, std::ios::binary) << old_bytes_;
    clips_[0].source = "new";
  }
  test::TempFolder folder_;
  fs::path target_ = folder_ / "korvix.subtitles";
  const std::string old_bytes_ = "korvix-subtitles 2\nclip speech 1 2 3:a old\n0 1 s1 old words\n";
  std::vector<SubtitleClip> clips_ = std::vector<SubtitleClip>(1);
};

TEST_F(SubtitleSaveWin32, AReaderHoldingTheFileForASecondFailsTheSaveAndKeepsTheFile) {
  HeldOpen game(target_);
  ASSERT_TRUE(game.held());
  SubtitleSaveResult result = save_subtitles(target_, clips_, "");
  EXPECT_FALSE(result.ok);
  EXPECT_TRUE(result.message.starts_with("Couldn't save " + to_utf8(target_) + " (")) << result.message;
  game.release();
  EXPECT_EQ(read_file_bytes(target_), old_bytes_);
  EXPECT_FALSE(fs::exists(folder_ / "korvix.subtitles.new"));
}

TEST_F(SubtitleSaveWin32, AReaderLettingGoWithinTheSecondLetsTheSaveThrough) {
  HeldOpen game(target_);
  ASSERT_TRUE(game.held());
  std::thread letting_go([&game] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    game.release();
  });
  SubtitleSaveResult result = save_subtitles(target_, clips_, "");
  letting_go.join();
  EXPECT_TRUE(result.ok) << result.message;
  EXPECT_EQ(read_file_bytes(target_), write_subtitles(clips_, ""));
}

}  // namespace
}  // namespace korvix
