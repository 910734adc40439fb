#include <gtest/gtest.h>

#include "editor/editor_test_support.h"
#include "editor/timeline/editor_seek.h"

namespace korvix::test {
namespace {

TEST(EditorSeek, ReadsLikeScanfAndKeepsWhatCameBeforeAFailure) {
  struct Case {
    const char* text;
    std::optional<EditorSeek> seek;
  } cases[] = {
      {"5000,2,8000", EditorSeek{5000, 2, 8000}},
      {" 1234.5, 1, 2e3", EditorSeek{1234.5, 1, 2000}},  // blanks before each number
      {"5000", EditorSeek{5000, -1, 0}},
      {"5000,x,8000", EditorSeek{5000, -1, 0}},
      {"5000 ,2,8000", EditorSeek{5000, -1, 0}},  // the comma must follow at once
      {"5000,2", EditorSeek{5000, 2, 0}},
      {"+7,-1,300", EditorSeek{7, -1, 300}},
      {"", std::nullopt},
      {"soon", std::nullopt},
      {"nan,1,1", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(parse_editor_seek(c.text), c.seek) << c.text;
}

using EditorSeekApply = EditorTest;

TEST_F(EditorSeekApply, SetsTheViewPicksALineInRangeAndScrubsOnce) {
  open_sample();  // clip 0 has two lines
  RecordingPlayer player{document};
  apply_editor_seek({5000, 1, 8000}, document, player);
  EXPECT_DOUBLE_EQ(document.view_width_ms, 8000);
  EXPECT_DOUBLE_EQ(document.view_start_ms, 2600);
  EXPECT_EQ(document.picked_line, 1);
  // A line out of range is not picked; a width of 0 keeps the view; the start never goes below 0.
  apply_editor_seek({1000, 7, 0}, document, player);
  EXPECT_EQ(document.picked_line, 1);
  EXPECT_DOUBLE_EQ(document.view_width_ms, 8000);
  apply_editor_seek({1000, -1, 8000}, document, player);
  EXPECT_DOUBLE_EQ(document.view_start_ms, 0);
  EXPECT_EQ(player.log, "scrub@5000 scrub@1000 scrub@1000 ");

  // The hook waits for the sound, then runs once only.
  player.log.clear();
  EditorSeekHook hook(std::string("3000,0,2000"));
  EXPECT_FALSE(hook.run(false, document, player));
  EXPECT_TRUE(hook.run(true, document, player));
  EXPECT_FALSE(hook.run(true, document, player));
  EXPECT_EQ(player.log, "scrub@3000 ");
  EXPECT_EQ(document.picked_line, 0);
  EXPECT_FALSE(EditorSeekHook(std::nullopt).run(true, document, player));
}

}  // namespace
}  // namespace korvix::test
