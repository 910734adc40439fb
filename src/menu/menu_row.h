// MenuRow: the identifier of a menu row.
#pragma once

#include <cstdint>

namespace korvix {

enum MenuRow : int32_t {
  row_disc_image = 0,
  row_branch = 1,
  row_install_to = 2,
  row_build_and_install = 3,
  row_play = 4,
  row_update = 5,
  row_check_for_updates = 6,
  row_start_directly = 7,
  row_desktop_shortcut = 8,
  row_stop = 9,
  row_quit = 10,
  row_graphics_settings = 11,
  row_effects = 12,
  row_back = 13,
  row_graphics = 14,
  row_upscale_on_install = 15,
  row_upscale_textures = 16,
  row_subtitles_on_install = 17,
  row_make_subtitles = 18,
  row_subtitles_page = 19,
  row_edit_subtitles = 20,
  row_update_launcher = 21,
  row_view_log = 22,
  row_logs = 23,
  // Setting rows: this plus the setting's index in the page's table.
  row_first_setting = 100,
  // Rows of the logs page: this plus the log's index in the list.
  row_first_log = 1000,
};

inline bool is_setting_row(MenuRow row) { return row >= row_first_setting && row < row_first_log; }
inline MenuRow setting_row(int index) { return static_cast<MenuRow>(row_first_setting + index); }
inline bool is_log_row(MenuRow row) { return row >= row_first_log; }
inline MenuRow log_row(size_t index) { return static_cast<MenuRow>(row_first_log + static_cast<int32_t>(index)); }
inline size_t log_index(MenuRow row) { return static_cast<size_t>(row - row_first_log); }

}  // namespace korvix
