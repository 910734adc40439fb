// What one menu frame draws of the shared status, copied under its mutex.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "state/launcher_status.h"

namespace korvix {

constexpr size_t drawn_output_lines = 60;

struct MenuSnapshot {
  int32_t launcher_update = update_not_checked;
  std::string launcher_version;
  std::string launcher_error;
  std::string branch;
  std::string step;
  int32_t job_state = job_idle;
  bool job_is_install = false;
  bool job_upscaling = false;
  bool job_subtitles = false;
  std::string job_error;
  int32_t check_state = check_none;
  std::string check_error;
  CommitInfo latest_commit;
  int32_t behind_by = -1;
  int32_t ahead_by = 0;
  std::vector<std::string> new_commits;
  std::filesystem::path log_path;
  std::string log_error;  // why the log couldn't be written, or empty
  std::vector<std::string> output_tail;  // the newest lines, at most 60
  float fraction = -1.0f;
  int64_t elapsed_seconds = 0;
};

// Takes the mutex itself; `now` is the steady clock's time.
MenuSnapshot take_snapshot(LauncherStatus& status, LauncherStatus::Clock::time_point now);

}  // namespace korvix
