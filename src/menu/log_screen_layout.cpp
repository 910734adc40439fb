#include "menu/log_screen_layout.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace korvix {

LogScreenLayout lay_out_log_screen(float width, float height, uint64_t line_count, const MeasureText& row_text,
                                   const MeasureText& small_text) {
  LogScreenLayout layout;
  MenuLayout menu = menu_layout(width, height);
  layout.menu = menu;
  const float m = menu.margin;
  layout.heading_top = menu.top;
  layout.commands_top = menu.top + 2.0f * menu.small_size;

  // The commands share the row's width: each gets its label and an equal part
  // of what is left; labels that don't fit at the rows' size get smaller.
  float labels = 0;
  for (const LogCommandSpec& spec : log_commands) labels += row_text(spec.label);
  const float padding = 0.8f * menu.row_text_size;
  const float room = menu.content_width - padding * static_cast<float>(log_commands.size());
  float shrink = labels > room ? std::max(room, 1.0f) / labels : 1.0f;
  layout.command_text_size = std::max(menu.small_size, menu.row_text_size * shrink);
  shrink = layout.command_text_size / menu.row_text_size;
  float spare = std::max(0.0f, menu.content_width - labels * shrink) / static_cast<float>(log_commands.size());
  float x = menu.left;
  for (size_t i = 0; i < log_commands.size(); ++i) {
    float box = row_text(log_commands[i].label) * shrink + spare;
    layout.commands[i] = {x, box};
    x += box;
  }

  // Two panels of the rows' kind: their padding is half a margin, and the gap
  // between them another.
  layout.status_top = menu.status_limit - menu.line_height;
  layout.text_top = layout.commands_top + menu.row_height + 1.5f * m;
  layout.text_bottom = layout.status_top - 0.9f * m;
  layout.page_lines =
      std::max(1, static_cast<int>(std::floor((layout.text_bottom - layout.text_top) / menu.line_height + 1e-4f)));

  std::string widest(std::max<size_t>(3, std::to_string(line_count).size()), '0');
  layout.text_left = menu.left + small_text(widest) + menu.small_size;
  layout.scrollbar_width = 0.3f * m;
  layout.scrollbar_left = menu.left + menu.content_width + 0.15f * m;
  return layout;
}

ScrollThumb scroll_thumb(float track_top, float track_height, float min_height, uint64_t top, int page,
                         uint64_t count) {
  if (count <= static_cast<uint64_t>(page) || page <= 0) return {track_top, track_height};
  float height = std::clamp(track_height * static_cast<float>(page) / static_cast<float>(count), min_height,
                            track_height);
  uint64_t last_top = count - static_cast<uint64_t>(page);
  float along = static_cast<float>(std::min(top, last_top)) / static_cast<float>(last_top);
  return {track_top + along * (track_height - height), height};
}

uint64_t top_for_thumb(float thumb_top, float track_top, float track_height, float thumb_height, int page,
                       uint64_t count) {
  if (count <= static_cast<uint64_t>(page) || track_height <= thumb_height) return 0;
  uint64_t last_top = count - static_cast<uint64_t>(page);
  float along = std::clamp((thumb_top - track_top) / (track_height - thumb_height), 0.0f, 1.0f);
  return static_cast<uint64_t>(std::llround(static_cast<double>(along) * static_cast<double>(last_top)));
}

}  // namespace korvix
