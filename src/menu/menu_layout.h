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

}  // namespace korvix
