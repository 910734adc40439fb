// Where everything of a menu page goes, from the window's size and the page's
// rows and status texts; draw_menu only draws what this places.
#pragma once

#include <vector>

#include "menu/menu_layout.h"
#include "menu/status_area.h"
#include "ui/text_fit.h"

namespace korvix {

struct PageLayout {
  float subtitle_top = 0;
  float rows_top = 0;
  RowWindow rows;  // the rows shown
  float status_top = 0;
  std::vector<PlacedLine> status_lines;
};

// `banner_advance`: how far the banner (or the title text) moves the page down.
// `first_shown`: the first row shown last frame. `measure` measures status text.
// Y positions are from the window's top.
PageLayout lay_out_page(const MenuLayout& layout, float banner_advance, int row_count, int selected, int first_shown,
                        const std::vector<StatusText>& texts, const MeasureText& measure);

}  // namespace korvix
