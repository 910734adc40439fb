// The application's actions that hand over to install/ and state/: the long
// job, the game, the desktop shortcut and saving launcher.ini. Those folders
// take the fields they need; the status line and the window stay here.
#include <SDL3/SDL.h>

#include <string>

#include "app/launcher_app.h"
#include "install/desktop_shortcut.h"
#include "install/job.h"
#include "state/folders.h"
#include "state/launcher_config.h"

namespace korvix {

void LauncherApp::start_job(bool install, int32_t kind) {
  std::string branch;
  if (!begin_job(*status, install, kind, branch)) return;
  // The job's progress is the news now; an older message would sit above it.
  message.clear();
  save_config_or_tell();

  std::filesystem::path disc_image;
  if (install && kind == job_build && !disc_images.empty()) {
    size_t index = disc_image_index >= 0 && static_cast<size_t>(disc_image_index) < disc_images.size()
                       ? static_cast<size_t>(disc_image_index)
                       : 0;
    disc_image = disc_images[index];
  }
  launch_job(job_inputs(*this, status), install, kind, branch, disc_image);
}

void LauncherApp::save_config_or_tell() {
  std::string reason;
  if (!save_config(*this, *status, &reason)) message = "Couldn't save launcher.ini (" + reason + ").";
}

bool LauncherApp::should_start_directly(const HeldReader& read_held) const {
  return wants_direct_start(direct_start, is_installed(install_dir), read_held);
}

void LauncherApp::play() {
  if (window) SDL_HideWindow(window);
  std::string error;
  if (start_game(install_dir / "korvix.exe", install_dir, &error)) return;
  message = error;
  if (window) SDL_ShowWindow(window);
}

void LauncherApp::make_desktop_shortcut() {
  message =
      korvix::make_desktop_shortcut(install_dir, source_dir) ? "Desktop shortcut made." : "Couldn't make the shortcut.";
}

}  // namespace korvix
