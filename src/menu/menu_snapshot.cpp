#include "menu/menu_snapshot.h"

namespace korvix {

MenuSnapshot take_snapshot(LauncherStatus& status, LauncherStatus::Clock::time_point now) {
  MenuSnapshot snapshot;
  std::lock_guard lock(status.mutex);
  snapshot.launcher_update = status.launcher_update;
  snapshot.launcher_version = status.launcher_version;
  snapshot.launcher_error = status.launcher_error;
  snapshot.branch = status.chosen_branch();
  snapshot.step = status.step;
  snapshot.job_state = status.job_state;
  snapshot.job_is_install = status.job_is_install;
  snapshot.job_upscaling = status.job_upscaling;
  snapshot.job_subtitles = status.job_subtitles;
  snapshot.job_error = status.job_error;
  snapshot.check_state = status.check_state;
  snapshot.check_error = status.check_error;
  snapshot.latest_commit = status.latest_commit;
  snapshot.behind_by = status.behind_by;
  snapshot.ahead_by = status.ahead_by;
  snapshot.new_commits = status.new_commits;
  snapshot.log_path = status.log_path;
  size_t tail = status.output_tail.size();
  size_t first = tail > drawn_output_lines ? tail - drawn_output_lines : 0;
  snapshot.output_tail.assign(status.output_tail.begin() + static_cast<std::ptrdiff_t>(first),
                              status.output_tail.end());
  snapshot.fraction = status.fraction;
  LauncherStatus::Clock::duration elapsed{};
  if (status.job_state == job_running) {
    elapsed = now - status.started_at;
  } else if (status.job_state != job_idle) {
    elapsed = status.finished_at - status.started_at;
  }
  snapshot.elapsed_seconds = std::chrono::duration_cast<std::chrono::seconds>(elapsed).count();
  return snapshot;
}

}  // namespace korvix
