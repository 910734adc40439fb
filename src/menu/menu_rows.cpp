// The rows of each screen and what accept, left and right do on them.
#include "app/launcher_app.h"
#include "state/folders.h"

namespace korvix {

namespace {

bool launcher_update_offered(int32_t state) {
  return state == update_available || state == update_downloading || state == update_ready ||
         state == update_failed;
}

}  // namespace

std::vector<MenuRow> LauncherApp::row_list() {
  bool running_job;
  bool update_offered;
  {
    std::lock_guard lock(status->mutex);
    running_job = status->job_state == job_running;
    update_offered = launcher_update_offered(status->launcher_update);
  }
  if (screen == screen_editor) return {};
  if (running_job) return {row_stop};

  std::vector<MenuRow> rows;
  if (!is_installed(install_dir)) {
    if (update_offered) rows.push_back(row_update_launcher);
    rows.insert(rows.end(), {row_disc_image, row_branch, row_install_to, row_graphics, row_upscale_on_install,
                             row_subtitles_on_install, row_build_and_install, row_quit});
    return rows;
  }
  switch (screen) {
    case screen_main:
      rows.push_back(row_play);
      if (update_offered) rows.push_back(row_update_launcher);
      rows.insert(rows.end(), {row_graphics_settings, row_upscale_textures, row_subtitles_page, row_branch,
                               row_update, row_check_for_updates, row_start_directly, row_desktop_shortcut,
                               row_quit});
      break;
    case screen_display:
      rows.insert(rows.end(), {row_effects, row_back});
      break;
    case screen_effects:
      rows.push_back(row_back);
      break;
    case screen_subtitles:
      rows.insert(rows.end(), {row_make_subtitles, row_edit_subtitles, row_back});
      break;
    default:
      break;
  }
  return rows;
}

void LauncherApp::activate(MenuRow row) {
  switch (row) {
    case row_quit:
      quit = true;
      break;
    case row_graphics_settings:
      set_screen(screen_display);
      break;
    case row_effects:
      set_screen(screen_effects);
      break;
    case row_back:
      set_screen(screen == screen_effects ? screen_display : screen_main);
      break;
    case row_subtitles_page:
      set_screen(screen_subtitles);
      break;
    case row_branch:
      change(row, +1);
      break;
    default:
      break;
  }
}

void LauncherApp::change(MenuRow row, int direction) {
  if (row == row_branch) {
    {
      std::lock_guard lock(status->mutex);
      int count = static_cast<int>(status->branches.size());
      if (count < 2) return;
      status->branch_index = ((status->branch_index + direction) % count + count) % count;
      status->check_state = check_none;
    }
    confirm_until = 0;
    recheck_at = interface_clock() + 0.6;
  }
}

void LauncherApp::set_screen(int32_t n) {
  screen = n;
  selected_row = 0;
  confirm_until = 0;
}

}  // namespace korvix
