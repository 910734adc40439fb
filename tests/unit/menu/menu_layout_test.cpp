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

TEST(RowsThatFit, TheStatusAreaKeepsItsLines) {
  // At 1280 x 760 the rows begin at y 224.2 and are 36.94 high; the status area
  // begins 27.87 below them, its lines are 21.375 high and end by 715.67.
  MenuLayout layout = menu_layout(1280, 760);
  EXPECT_EQ(rows_that_fit(layout, 224.2f, 4), 10);
  EXPECT_EQ(rows_that_fit(layout, 224.2f, 5), 9);
  EXPECT_EQ(rows_that_fit(layout, 224.2f, 40), 1) << "always at least one row";
  for (int lines : {4, 5, 7}) {
    int rows = rows_that_fit(layout, 224.2f, lines);
    float status_top = 224.2f + static_cast<float>(rows) * layout.row_height + layout.status_gap;
    EXPECT_LE(status_top + static_cast<float>(lines) * layout.line_height, layout.status_limit) << lines;
    EXPECT_GT(status_top + layout.row_height + static_cast<float>(lines) * layout.line_height, layout.status_limit)
        << "no room left for one more row";
  }
}

TEST(ShownRows, AllRowsWhenTheyFit) {
  RowWindow all = shown_rows(10, 3, 0, 10);
  EXPECT_EQ(all.first, 0);
  EXPECT_EQ(all.count, 10);
  EXPECT_EQ(shown_rows(10, 3, 4, 12).first, 0) << "a window left from a longer list is dropped";
}

TEST(ShownRows, TheWindowMovesOnlyAsFarAsTheSelectionNeeds) {
  struct Step {
    int selected;
    int first_before;
    int first_after;
  };
  // 16 rows, 9 shown.
  const Step steps[] = {
      {0, 0, 0},   // the top
      {8, 0, 0},   // the last shown row: pointing at it doesn't scroll
      {9, 0, 1},   // one below: one row further
      {10, 1, 2},  //
      {5, 2, 2},   // back up inside the window: it stays
      {1, 2, 1},   // above it: up by as much as needed
      {15, 1, 7},  // wrapped to the bottom: the last 9 rows
      {0, 7, 0},   // wrapped to the top
      {3, 20, 3},  // a window beyond the end (rows removed) comes back
  };
  for (const Step& step : steps) {
    RowWindow shown = shown_rows(16, step.selected, step.first_before, 9);
    SCOPED_TRACE(step.selected);
    EXPECT_EQ(shown.first, step.first_after);
    EXPECT_EQ(shown.count, 9);
    EXPECT_GE(step.selected, shown.first);
    EXPECT_LT(step.selected, shown.first + shown.count);
  }
}

TEST(ShownRows, EveryRowOfAnyWindowCanBePointedAtWithoutScrolling) {
  for (int first = 0; first <= 16 - 9; ++first)
    for (int pointed = first; pointed < first + 9; ++pointed) EXPECT_EQ(shown_rows(16, pointed, first, 9).first, first);
}

}  // namespace
}  // namespace korvix
