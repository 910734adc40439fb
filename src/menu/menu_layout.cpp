#include "menu/menu_layout.h"

#include <algorithm>
#include <cmath>

#include "app/scale.h"

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
  return layout;
}

RowWindow visible_rows(int row_count, int selected, float rows_top, float limit, float row_height) {
  int room = row_height > 0 ? static_cast<int>(std::floor((limit - rows_top) / row_height)) : row_count;
  room = std::clamp(room, 1, std::max(row_count, 1));
  if (row_count <= room) return {0, row_count};
  int first = std::clamp(selected - room / 2, 0, row_count - room);
  return {first, room};
}

}  // namespace korvix
