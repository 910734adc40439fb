// Geometry of the menu for a window size, in the interface's display units.
#pragma once

namespace korvix {

struct MenuLayout {
  float scale;         // s
  float margin;        // 22 s
  float content_width; // w
  float left;          // x
  float top;           // y at the banner
  float title_size;    // 42 s
  float row_text_size; // 20 s
  float small_size;    // 15 s
};

MenuLayout menu_layout(float window_width, float window_height);

// The rows shown when a page has more rows than fit above the status area's
// limit: a window of whole rows around the selected one, so every row can still
// be reached and seen. All rows when they fit.
struct RowWindow {
  int first = 0;
  int count = 0;
};

RowWindow visible_rows(int row_count, int selected, float rows_top, float limit, float row_height);

}  // namespace korvix
