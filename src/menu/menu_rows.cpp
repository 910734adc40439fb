// The rows of each screen and what accept, left and right do on them.
#include <algorithm>
#include <system_error>

#include "app/launcher_app.h"
#include "install/job.h"
#include "install/log_catalog.h"
#include "menu/file_dialogs.h"
#include "menu/setting_rows.h"
#include "state/folders.h"
#include "state/launcher_config.h"
#include "update/self_update.h"
#include "update/update_checks.h"

namespace korvix {

namespace {

constexpr double confirmation_seconds = 6.0;
constexpr double recheck_delay_seconds = 0.6;

bool launcher_update_offered(int32_t state) {
  return state == update_available || state == update_downloading || state == update_ready ||
         state == update_failed;
}

void append_setting_rows(std::vector<MenuRow>& rows, int32_t screen) {
  const std::vector<SettingSpec>* table = settings_table_for_screen(screen);
  for (size_t i = 0; table && i < table->size(); ++i) rows.push_back(setting_row(static_cast<int>(i)));
}

int wrapped_step(int index, int direction, int count) { return ((index + direction) % count + count) % count; }

// Left and right on the logs page jump this many logs.
constexpr int log_rows_per_jump = 10;

// The status area shows "Full output: PATH" after a failed or stopped job whose
// log was written; every page that shows it offers the log first.
bool job_log_offered(const LauncherStatus& status, int32_t screen) {
  return (status.job_state == job_failed || status.job_state == job_stopped) && status.log_error.empty() &&
         screen != screen_logs;
}

}  // namespace

std::vector<MenuRow> LauncherApp::row_list() {
  bool running_job;
  bool update_offered;
  bool log_offered;
  {
    std::lock_guard lock(status->mutex);
    running_job = status->job_state == job_running;
    update_offered = launcher_update_offered(status->launcher_update);
    log_offered = job_log_offered(*status, screen);
  }
  if (screen == screen_editor || screen == screen_log) return {};
  if (running_job) return {row_stop, row_view_log};

  std::vector<MenuRow> rows;
  if (log_offered) rows.push_back(row_view_log);
  if (screen == screen_logs) {
    for (size_t i = 0; i < logs.entries.size(); ++i) rows.push_back(log_row(i));
    rows.push_back(row_back);
    return rows;
  }
  if (!is_installed(install_dir)) {
    if (update_offered) rows.push_back(row_update_launcher);
    rows.insert(rows.end(), {row_disc_image, row_branch, row_install_to, row_graphics, row_upscale_on_install,
                             row_subtitles_on_install, row_build_and_install, row_logs, row_quit});
    return rows;
  }
  switch (screen) {
    case screen_main:
      rows.push_back(row_play);
      if (update_offered) rows.push_back(row_update_launcher);
      rows.insert(rows.end(), {row_graphics_settings, row_upscale_textures, row_subtitles_page, row_branch,
                               row_update, row_check_for_updates, row_start_directly, row_desktop_shortcut,
                               row_logs, row_quit});
      break;
    case screen_display:
      append_setting_rows(rows, screen);
      rows.insert(rows.end(), {row_effects, row_back});
      break;
    case screen_effects:
      append_setting_rows(rows, screen);
      rows.push_back(row_back);
      break;
    case screen_subtitles:
      append_setting_rows(rows, screen);
      rows.insert(rows.end(), {row_make_subtitles, row_edit_subtitles, row_back});
      break;
    default:
      break;
  }
  return rows;
}

std::optional<MenuRow> LauncherApp::armed_row() const {
  if (interface_clock() < confirm_until) return confirm_row;
  return std::nullopt;
}

bool LauncherApp::confirm(MenuRow row) {
  if (armed_row() == row) {
    confirm_until = 0;
    return true;
  }
  confirm_until = interface_clock() + confirmation_seconds;
  confirm_row = row;
  return false;
}

void LauncherApp::toggle_option(bool& option) {
  option = !option;
  save_config_or_tell();
}

// The status line tells of the last action: each activation or change starts
// it afresh, before the row's own work, which may set it again.
void LauncherApp::activate(MenuRow row) {
  message.clear();
  if (is_setting_row(row)) {
    change(row, +1);
    return;
  }
  if (is_log_row(row)) {
    if (log_index(row) < logs.entries.size()) open_log(logs.entries[log_index(row)].path);
    return;
  }
  switch (row) {
    case row_disc_image:
      open_disc_image_dialog(status, window, home_folder());
      break;
    case row_branch:
      change(row, +1);
      break;
    case row_install_to:
      open_install_folder_dialog(status, window, install_dir.parent_path());
      break;
    case row_build_and_install:
      if (disc_images.empty()) {
        message = "Choose the disc image first.";
      } else if (confirm(row)) {
        start_job(true, job_build);
      }
      break;
    case row_update:
      if (confirm(row)) start_job(false, job_build);
      break;
    case row_upscale_textures:
      if (confirm(row)) start_job(false, job_upscaler);
      break;
    case row_make_subtitles:
      if (confirm(row)) start_job(false, job_subtitle_maker);
      break;
    case row_stop:
      stop_job(*status);
      break;
    case row_play:
      play();
      break;
    case row_start_directly:
      toggle_option(direct_start);
      break;
    case row_desktop_shortcut:
      make_desktop_shortcut();
      break;
    case row_graphics:
      toggle_option(original_graphics);
      break;
    case row_upscale_on_install:
      toggle_option(upscale_on_install);
      break;
    case row_subtitles_on_install:
      toggle_option(subtitles_on_install);
      break;
    case row_check_for_updates:
      start_commit_check();
      start_launcher_check();
      break;
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
    case row_update_launcher:
      start_launcher_download(status, install_dir);
      break;
    case row_edit_subtitles:
      open_editor();
      break;
    case row_view_log: {
      std::filesystem::path log = job_log_facts(*status).log_path;
      if (log.empty()) {
        message = "This job keeps no log.";  // the test-progress view runs no job
      } else {
        open_log(log);
      }
      break;
    }
    case row_logs:
      set_screen(screen_logs);
      break;
    default:
      break;
  }
}

void LauncherApp::change(MenuRow row, int direction) {
  message.clear();
  if (is_setting_row(row)) {
    change_setting_row(*this, row, direction);
    return;
  }
  if (is_log_row(row)) {
    // A long list is crossed a jump at a time; the ends stop the jumps.
    int last = static_cast<int>(logs.entries.size()) - 1;
    selected_row = std::clamp(selected_row + direction * log_rows_per_jump, 0, std::max(last, 0));
    return;
  }
  switch (row) {
    case row_disc_image:
      if (!disc_images.empty())
        disc_image_index = wrapped_step(disc_image_index, direction, static_cast<int>(disc_images.size()));
      break;
    case row_branch: {
      {
        std::lock_guard lock(status->mutex);
        int count = static_cast<int>(status->branches.size());
        if (count < 2) return;
        status->branch_index = wrapped_step(status->branch_index, direction, count);
        status->check_state = check_none;
        supersede_checks(*status);
      }
      save_config_or_tell();
      confirm_until = 0;
      recheck_at = interface_clock() + recheck_delay_seconds;
      break;
    }
    case row_start_directly:
    case row_graphics:
    case row_upscale_on_install:
    case row_subtitles_on_install:
      activate(row);
      break;
    default:
      break;
  }
}

void LauncherApp::set_screen(int32_t n) {
  screen = n;
  selected_row = 0;
  first_shown_row = 0;
  confirm_until = 0;
  // Entering a settings page shows what the game may have changed meanwhile.
  if (n == screen_display || n == screen_effects || n == screen_subtitles) settings.load(install_dir / "korvix.toml");
  if (n == screen_logs) logs = list_logs(logs_folder(), job_log_facts(*status));
}

}  // namespace korvix
