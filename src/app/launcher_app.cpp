#include "app/launcher_app.h"

#include <imgui.h>

#include <cstdlib>

#include "menu/title_banner.h"
#include "platform/environment.h"

namespace korvix {

const char* const default_repository = "korvix-velarine/korvix-velarine";

LauncherApp::LauncherApp() : status(std::make_shared<LauncherStatus>()) {
  interface_clock = [] { return ImGui::GetCurrentContext() ? ImGui::GetTime() : 0.0; };
}

LauncherApp::~LauncherApp() = default;

void LauncherApp::start_up() {
  apply_test_progress_hook();
}

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

void LauncherApp::attach_renderer(SDL_Renderer* renderer) {
  banner.reset();
  if (renderer) banner = TitleBanner::create(renderer);
}

void LauncherApp::on_display_change() {
  if (banner) banner->drop_texture();
}

}  // namespace korvix
