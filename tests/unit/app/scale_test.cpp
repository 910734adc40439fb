#include <gtest/gtest.h>

#include "app/frame_pacing.h"
#include "app/scale.h"
#include "menu/menu_layout.h"

namespace korvix {
namespace {

TEST(MenuScale, FollowsTheHeightWithAFloor) {
  EXPECT_FLOAT_EQ(menu_scale(720), 1.0f);
  EXPECT_NEAR(menu_scale(760), 1.0556f, 1e-4);
  EXPECT_FLOAT_EQ(menu_scale(1440), 2.0f);
  EXPECT_FLOAT_EQ(menu_scale(432), 0.6f);
  EXPECT_FLOAT_EQ(menu_scale(400), 0.6f);
}

TEST(MenuScale, A1440HighWindowDoublesEverySizeOfA720HighOne) {
  MenuLayout small = menu_layout(1280, 720);
  MenuLayout large = menu_layout(2560, 1440);
  EXPECT_FLOAT_EQ(large.row_text_size, 2 * small.row_text_size);
  EXPECT_FLOAT_EQ(large.title_size, 2 * small.title_size);
  EXPECT_FLOAT_EQ(large.content_width, 2 * small.content_width);
  EXPECT_FLOAT_EQ(large.margin, 2 * small.margin);
}

TEST(MenuLayout, ContentWidthIsCappedByTheWindow) {
  MenuLayout narrow = menu_layout(600, 720);
  EXPECT_FLOAT_EQ(narrow.content_width, 600 - 2 * 22);
  EXPECT_FLOAT_EQ(narrow.left, 22);
  MenuLayout wide = menu_layout(1280, 760);
  EXPECT_NEAR(wide.content_width, 860 * 760 / 720.0, 1e-3);
  EXPECT_FLOAT_EQ(wide.top, 46);  // round(0.06 * 760)
}

TEST(EditorScale, DisplayFactorTimesOwnScaleClamped) {
  EXPECT_FLOAT_EQ(editor_scale(2.0f, 2.0f, 1.0f, std::nullopt), 1.0f);
  EXPECT_FLOAT_EQ(editor_scale(1.5f, 1.0f, 1.0f, std::nullopt), 1.5f);
  EXPECT_FLOAT_EQ(editor_scale(0.0f, 1.0f, 1.25f, std::nullopt), 1.25f);
  EXPECT_FLOAT_EQ(editor_scale(3.0f, 1.0f, 2.0f, std::nullopt), 4.0f);
}

TEST(EditorScale, EnvironmentOverrideReplacesTheDisplayFactor) {
  EXPECT_FLOAT_EQ(editor_scale(1.0f, 1.0f, 1.0f, std::string("10")), 4.0f);
  EXPECT_FLOAT_EQ(editor_scale(1.0f, 1.0f, 1.0f, std::string("0.1")), 0.5f);
  EXPECT_FLOAT_EQ(editor_scale(2.0f, 1.0f, 1.0f, std::string("1.5")), 1.5f);
  EXPECT_FLOAT_EQ(editor_scale(1.0f, 1.0f, 1.0f, std::string("nonsense")), 0.5f);
}

TEST(FramePacing, BusyFramesAreHeldToTheDisplayPeriod) {
  EXPECT_EQ(frame_period_ns(0.0f), frame_period_ns(60.0f));
  EXPECT_EQ(frame_period_ns(120.0f), 8333333u);
  uint64_t period = frame_period_ns(60.0f);
  EXPECT_GT(sleep_before_next_frame_ns(0, 1'000'000, 60.0f), period / 2);
  EXPECT_LT(sleep_before_next_frame_ns(0, 1'000'000, 60.0f), period);
  EXPECT_EQ(sleep_before_next_frame_ns(0, period, 60.0f), 0u) << "a late frame doesn't sleep";
}

}  // namespace
}  // namespace korvix

namespace korvix {
namespace {

TEST(VisibleRows, AllRowsWhenTheyFit) {
  RowWindow all = visible_rows(10, 3, 200, 760, 37);
  EXPECT_EQ(all.first, 0);
  EXPECT_EQ(all.count, 10);
}

TEST(VisibleRows, ALongPageShowsAWindowAroundTheSelection) {
  // 16 rows of 37 from y 224 with the limit at 720: 13 fit.
  EXPECT_EQ(visible_rows(16, 0, 224, 720, 37).first, 0);
  EXPECT_EQ(visible_rows(16, 0, 224, 720, 37).count, 13);
  RowWindow last = visible_rows(16, 15, 224, 720, 37);
  EXPECT_EQ(last.first, 3);
  EXPECT_LE(last.first + last.count, 16);
  EXPECT_GT(last.first + last.count, 15) << "the selected row is shown";
  for (int selected = 0; selected < 16; ++selected) {
    RowWindow shown = visible_rows(16, selected, 224, 720, 37);
    EXPECT_GE(selected, shown.first);
    EXPECT_LT(selected, shown.first + shown.count);
  }
}

TEST(VisibleRows, AlwaysAtLeastTheSelectedRow) {
  RowWindow tiny = visible_rows(5, 4, 300, 310, 37);
  EXPECT_EQ(tiny.count, 1);
  EXPECT_EQ(tiny.first, 4);
}

}  // namespace
}  // namespace korvix
