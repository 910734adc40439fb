#include "menu/menu_layout.h"

#include <algorithm>
#include <cmath>

#include "ui/scale.h"

namespace korvix {

MenuLayout menu_layout(float window_width, float window_height) {
  MenuLayout layout{};
  float s = menu_scale(window_height);
  layout.scale = s;
  layout.margin = 22.0f * s;
  layout.content_width = std::min(860.0f * s, window_width - 2.0f * layout.margin);
  layout.left = std::round((window_width - layout.content_width) / 2.0f);
  layout.top = std::round(0.06f * window_height);
  layout.title_size = 42.0f * s;
  layout.row_text_size = 20.0f * s;
  layout.small_size = 15.0f * s;
  layout.row_height = 1.75f * layout.row_text_size;
  layout.status_gap = 1.2f * layout.margin;
  layout.line_height = 1.35f * layout.small_size;
  layout.status_limit = window_height - 2.8f * layout.small_size;
  layout.hint_top = window_height - 1.9f * layout.small_size;
  return layout;
}

int rows_that_fit(const MenuLayout& layout, float rows_top, int status_lines) {
  float rows_bottom = layout.status_limit - static_cast<float>(status_lines) * layout.line_height - layout.status_gap;
  // A hair of slack, so that rounding never costs a row that fits exactly.
  float room = std::floor((rows_bottom - rows_top) / layout.row_height + 1e-4f);
  return std::max(1, static_cast<int>(room));
}

RowWindow shown_rows(int row_count, int selected, int first, int room) {
  room = std::max(room, 1);
  if (row_count <= room) return {0, row_count};
  selected = std::clamp(selected, 0, row_count - 1);
  first = std::clamp(first, selected - room + 1, selected);
  return {std::clamp(first, 0, row_count - room), room};
}

}  // namespace korvix
