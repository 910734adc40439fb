#include "subtitles/subtitle_save.h"

#include <gtest/gtest.h>

#include <chrono>

#include "platform/file_read.h"
#include "platform/paths.h"
#include "state/state_test_support.h"
#include "subtitles/subtitle_samples.h"

namespace korvix {
namespace {

using Clock = std::chrono::steady_clock;

class SubtitleSave : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(target_.parent_path());
    ASSERT_TRUE(read_subtitles(sample_subtitle_file(), clips_));
    clips_[0].lines[0].text = "Edited words";
    old_bytes_ = generated_subtitle_file(40, 10, 1, 0);
    std::ofstream(target_, std::ios::binary) << old_bytes_;
  }
  std::string bytes_of(const fs::path& path) const { return read_file_bytes(path).value_or("(missing)"); }
  SubtitleSaveResult save() const { return save_subtitles(target_, clips_, "# kept\n"); }

  test::TempFolder folder_;
  fs::path target_ = folder_ / "subtitles" / "korvix.subtitles";
  fs::path new_file_ = folder_ / "subtitles" / "korvix.subtitles.new";
  std::vector<SubtitleClip> clips_;
  std::string old_bytes_;
};

TEST_F(SubtitleSave, ReplacesTheFileWholeAndNeverWritesIntoIt) {
  // A second name for the old file stands for the game, which may be reading it:
  // a rename leaves what it reads alone, writing in place would not.
  std::error_code linked;
  fs::create_hard_link(target_, folder_ / "held", linked);

  SubtitleSaveResult result = save();
  EXPECT_TRUE(result.ok);
  EXPECT_EQ(result.message, "Saved. The game picks it up within a couple of seconds.");
  EXPECT_EQ(bytes_of(target_), write_subtitles(clips_, "# kept\n"));
  EXPECT_FALSE(fs::exists(new_file_));
  if (!linked) {
    EXPECT_EQ(bytes_of(folder_ / "held"), old_bytes_);
  }
}

TEST_F(SubtitleSave, AFolderWhereTheNewFileGoesFailsTheWriteAndKeepsTheOldFile) {
  fs::create_directories(new_file_ / "inside");
  SubtitleSaveResult result = save();
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.message, "Couldn't save " + to_utf8(target_) + ".");
  EXPECT_EQ(bytes_of(target_), old_bytes_);
  EXPECT_TRUE(fs::is_directory(new_file_ / "inside")) << "what stood there is not the save's to delete";
}

TEST_F(SubtitleSave, ARenameThatKeepsFailingIsReportedWithItsReasonAfterASecond) {
  // The game gets about a second to let go of the file (the platform's save
  // retries the rename); a folder with something in it never lets go.
  fs::remove(target_);
  fs::create_directories(target_ / "inside");
  Clock::time_point start = Clock::now();
  SubtitleSaveResult result = save();
  double seconds = std::chrono::duration<double>(Clock::now() - start).count();

  EXPECT_FALSE(result.ok);
  std::string prefix = "Couldn't save " + to_utf8(target_) + " (";
  EXPECT_TRUE(result.message.starts_with(prefix) && result.message.ends_with(").") &&
              result.message.size() > prefix.size() + 2)
      << result.message;
  EXPECT_GE(seconds, 0.9);
  EXPECT_TRUE(fs::is_directory(target_ / "inside"));
  EXPECT_FALSE(fs::exists(new_file_));
}

}  // namespace
}  // namespace korvix
