#include "app/launcher_app.h"

#include <imgui.h>

#include <cstdlib>

#include "editor/subtitle_editor.h"
#include "install/job.h"
#include "menu/title_banner.h"
#include "platform/environment.h"
#include "state/disc_images.h"
#include "state/folders.h"
#include "state/install_record.h"
#include "state/launcher_config.h"
#include "update/self_update.h"
#include "update/update_checks.h"

namespace korvix {

LauncherApp::LauncherApp() : editor(std::make_unique<SubtitleEditor>()), status(std::make_shared<LauncherStatus>()) {
  interface_clock = [] { return ImGui::GetCurrentContext() ? ImGui::GetTime() : 0.0; };
}

LauncherApp::~LauncherApp() {
  // A job's children must not outlive the window; its thread then ends by itself.
  if (is_busy()) stop_job(*status);
}

void LauncherApp::start_up() {
  load_config(*this, *status, install_records);
  apply_test_progress_hook();
  disc_images = find_disc_images();
  disc_image_index = 0;
  clean_update_leftovers(install_dir);
  if (is_installed(install_dir)) keep_launcher_in_install_folder(install_dir);
}

void LauncherApp::start_first_checks() {
  korvix::start_branch_list(status, repo);
  start_launcher_check();
  if (is_installed(install_dir)) start_commit_check();
}

void LauncherApp::start_commit_check() {
  korvix::start_commit_check(status, repo, read_install_record(install_dir / "korvix-version.txt").commit);
}

void LauncherApp::start_launcher_check() { korvix::start_launcher_check(status, repo); }

void LauncherApp::apply_test_progress_hook() {
  std::optional<std::string> value = env_var("KORVIX_LAUNCHER_TEST_PROGRESS");
  if (!value) return;
  test_progress = true;
  std::lock_guard lock(status->mutex);
  status->job_state = job_running;
  status->started_at = LauncherStatus::Clock::now() - std::chrono::seconds(25);
  status->step = "Building the SDK (Release) - the first time takes a while";
  status->fraction = static_cast<float>(std::strtod(value->c_str(), nullptr));
}

bool LauncherApp::is_busy() const {
  if (test_progress) return false;
  std::lock_guard lock(status->mutex);
  return status->job_state == job_running;
}

void LauncherApp::attach_renderer(SDL_Renderer* renderer) { attach_renderer(renderer, BannerStart{}); }

void LauncherApp::attach_renderer(SDL_Renderer* renderer, BannerStart&& banner_start) {
  editor->media.attach_renderer(renderer);
  banner.reset();
  if (renderer) banner = TitleBanner::create(renderer, std::move(banner_start));
}

void LauncherApp::on_display_change() {
  editor->media.forget_shown_frame();
  if (banner) banner->drop_texture();
}

}  // namespace korvix
