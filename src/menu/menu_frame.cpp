#include "menu/menu_frame.h"

#include <algorithm>

#include "app/launcher_app.h"
#include "platform/environment.h"
#include "platform/paths.h"
#include "state/folders.h"
#include "state/install_record.h"
#include "state/launcher_config.h"
#include "update/self_update.h"

namespace korvix {

void take_dialog_results(LauncherApp& app) {
  std::lock_guard lock(app.status->mutex);
  LauncherStatus& status = *app.status;
  if (!status.picked_image.empty()) {
    std::filesystem::path image = path_from_utf8(status.picked_image);
    auto known = std::find(app.disc_images.begin(), app.disc_images.end(), image);
    if (known == app.disc_images.end()) known = app.disc_images.insert(app.disc_images.end(), image);
    app.disc_image_index = static_cast<int32_t>(known - app.disc_images.begin());
    status.picked_image.clear();
  }
  if (!status.picked_folder.empty()) {
    app.install_dir = path_from_utf8(status.picked_folder);
    if (!is_installed(app.install_dir)) app.source_dir = app.install_dir / "build" / "korvixvelarine";
    status.picked_folder.clear();
  }
  if (!status.dialog_error.empty()) {
    app.message = "The file dialog isn't available here (" + status.dialog_error + ").";
    status.dialog_error.clear();
  }
}

void run_due_recheck(LauncherApp& app) {
  if (app.recheck_at == 0.0 || app.interface_clock() < app.recheck_at) return;
  app.recheck_at = 0.0;
  if (is_installed(app.install_dir)) app.start_commit_check();
  app.start_launcher_check();
}

void run_launcher_update_steps(LauncherApp& app) {
  int32_t state = update_not_checked;
  bool job_runs = false;
  {
    std::lock_guard lock(app.status->mutex);
    state = app.status->launcher_update;
    job_runs = app.status->job_state == job_running;
  }
  // Applying saves the configuration and ends the program: never under a job.
  if (state == update_ready && !job_runs) {
    if (apply_launcher_update(app.status, app.install_dir, [&app] { app.save_config_or_tell(); })) app.quit = true;
  } else if (state == update_available && env_or_empty("KORVIX_LAUNCHER_UPDATE_TEST") == "go") {
    start_launcher_download(app.status, app.install_dir);
  }
}

MenuFacts menu_facts(const LauncherApp& app, const std::vector<MenuRow>& rows) {
  MenuFacts facts;
  facts.installed = is_installed(app.install_dir);
  std::string recorded = installed_branch(app.install_records, app.install_dir);
  if (!recorded.empty()) {
    // The whole name: the snapshot holds only what a frame shows of it.
    std::lock_guard lock(app.status->mutex);
    facts.on_chosen_branch = recorded == app.status->chosen_branch_view();
  }
  facts.armed_row = app.armed_row();
  // Free space is only shown by "Build and install"; don't ask the disk otherwise.
  if (std::find(rows.begin(), rows.end(), row_build_and_install) != rows.end())
    facts.free_bytes = free_space(app.install_dir);
  return facts;
}

void follow_job_end(LauncherApp& app, int32_t job_state, const std::vector<MenuRow>& rows) {
  bool ended_badly = app.seen_job_state == job_running && (job_state == job_failed || job_state == job_stopped);
  app.seen_job_state = job_state;
  if (!ended_badly) return;
  auto log = std::find(rows.begin(), rows.end(), row_view_log);
  if (log != rows.end()) app.selected_row = static_cast<int32_t>(log - rows.begin());
}

}  // namespace korvix
