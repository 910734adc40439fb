// Where everything of the log screen goes, in the menu's own measures: the
// heading, the row of commands in a panel like the rows', the lines in a panel
// below it with their numbers and a scroll bar, a status line and the hint.
#pragma once

#include <array>
#include <cstdint>

#include "menu/log_view.h"
#include "menu/menu_layout.h"
#include "ui/text_fit.h"

namespace korvix {

struct LogCommandBox {
  float left = 0;
  float width = 0;
};

struct LogScreenLayout {
  MenuLayout menu;
  float heading_top = 0;        // the line naming the log, as a page's subtitle
  float commands_top = 0;       // the commands' row, one row high
  float command_text_size = 0;  // the rows' size, smaller when the commands don't fit
  std::array<LogCommandBox, log_commands.size()> commands{};
  float text_top = 0;  // the first line of the log
  float text_bottom = 0;
  int page_lines = 1;
  float text_left = 0;  // after the line numbers, which end a gap before it
  float scrollbar_left = 0;
  float scrollbar_width = 0;
  float status_top = 0;  // the ending or the last command's note, and the position
};

// `row_text` measures at the rows' size, `small_text` at the small size; the
// line numbers take the width of `line_count`'s digits.
LogScreenLayout lay_out_log_screen(float width, float height, uint64_t line_count, const MeasureText& row_text,
                                   const MeasureText& small_text);

struct ScrollThumb {
  float top = 0;
  float height = 0;
};

// The scroll bar's thumb over a track: as long as the page is of the whole, at
// least `min_height`, placed as the top line is.
ScrollThumb scroll_thumb(float track_top, float track_height, float min_height, uint64_t top, int page,
                         uint64_t count);

// The top line for a thumb dragged so its top is at `thumb_top`.
uint64_t top_for_thumb(float thumb_top, float track_top, float track_height, float thumb_height, int page,
                       uint64_t count);

}  // namespace korvix
