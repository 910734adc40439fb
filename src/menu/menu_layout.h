// Geometry of the menu for a window size, in the interface's display units.
#pragma once

namespace korvix {

struct MenuLayout {
  float scale;          // s
  float margin;         // 22 s
  float content_width;  // w
  float left;           // x
  float top;            // y at the banner
  float title_size;     // 42 s
  float row_text_size;  // 20 s
  float small_size;     // 15 s
  float row_height;     // 1.75 × 20 s
  float status_gap;     // from the last row to the status area: 1.2 × 22 s
  float line_height;    // of the status area: 1.35 × 15 s
  float status_limit;   // nothing of the status area below this: window height − 2.8 × 15 s
  float hint_top;       // the hint line: window height − 1.9 × 15 s
};

MenuLayout menu_layout(float window_width, float window_height);

// The status area keeps room for at least this many lines below the rows, so
// its messages are seen on every page at any window height of 600 or more.
constexpr int status_lines_kept = 4;

// How many rows fit from `rows_top` while the status area keeps `status_lines`
// lines; always at least one.
int rows_that_fit(const MenuLayout& layout, float rows_top, int status_lines);

// The rows shown: all when they fit, else a window of `room` rows. The window
// stays where it was (`first`) unless the selected row lies outside it, and then
// moves only as far as needed to show it: pointing at a shown row never scrolls.
struct RowWindow {
  int first = 0;
  int count = 0;
};

RowWindow shown_rows(int row_count, int selected, int first, int room);

}  // namespace korvix
