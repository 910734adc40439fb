// Geometry of the menu: sizes follow the scale, long pages show a window of rows.
#include "menu/menu_layout.h"

#include <gtest/gtest.h>

namespace korvix {
namespace {

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
