#include <gtest/gtest.h>

#include <fstream>

#include "platform/file_read.h"
#include "platform/paths.h"
#include "state/state_test_support.h"
#include "subtitles/subtitle_save.h"

namespace korvix {
namespace {

TEST(SubtitleSavePosix, AReadOnlyFolderKeepsTheOldFile) {
  test::TempFolder folder;
  fs::path target = folder / "korvix.subtitles";
  const std::string old_bytes = "korvix-subtitles 2\nclip speech 1 2 3:a old\n0 1 s1 old words\n";
  std::ofstream(target, std::ios::binary) << old_bytes;
  fs::permissions(folder.path(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  if (std::ofstream(folder / "probe")) GTEST_SKIP() << "this user may write into read-only folders";

  std::vector<SubtitleClip> clips(1);
  SubtitleSaveResult result = save_subtitles(target, clips, "");
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.message, "Couldn't save " + to_utf8(target) + ".");
  EXPECT_EQ(read_file_bytes(target), old_bytes);
}

}  // namespace
}  // namespace korvix
