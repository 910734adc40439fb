// LauncherStatus: the one record the interface shares with the worker threads.
//
// Every field below `mutex` is read and written with the mutex held, except
// `cancel_requested`, which is atomic. The interface copies what it draws under
// the lock and draws after releasing it.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace korvix {

struct CommitInfo {
  std::string id;
  std::string date;
  std::string message;
};

enum CheckState : int32_t { check_none = 0, check_running = 1, check_done = 2, check_failed = 3 };

enum LauncherUpdateState : int32_t {
  update_not_checked = 0,
  update_checking = 1,
  update_none_newer = 2,
  update_available = 3,
  update_downloading = 4,
  update_ready = 5,
  update_failed = 6,
};

enum JobState : int32_t { job_idle = 0, job_running = 1, job_succeeded = 2, job_failed = 3, job_stopped = 4 };

struct LauncherStatus {
  using Clock = std::chrono::steady_clock;

  std::mutex mutex;

  // Branch list and choice.
  std::vector<std::string> branches{"main", "experimental"};
  int32_t branch_index = 0;

  // Comparison of the install with the chosen branch.
  int32_t check_state = check_none;
  uint32_t check_generation = 0;
  std::string checked_branch;
  CommitInfo latest_commit;
  int32_t behind_by = -1;
  int32_t ahead_by = 0;
  std::vector<std::string> new_commits;
  std::string check_error;

  // The launcher's own update.
  int32_t launcher_update = update_not_checked;
  int32_t release_check_generation = 0;
  std::string launcher_version;
  std::string launcher_download_url;
  std::string launcher_error;
  int64_t launcher_size = 0;
  std::string launcher_digest;  // the asset's "sha256:<hex>", empty when GitHub gave none
  std::filesystem::path launcher_file;

  // The one long job.
  int32_t job_state = job_idle;
  bool job_is_install = false;
  bool job_upscaling = false;
  bool job_subtitles = false;
  std::string step;
  std::string job_error;
  std::deque<std::string> output_tail;
  std::filesystem::path log_path;
  std::ofstream log_file;
  std::string log_error;  // why the log couldn't be written; empty while it can
  Clock::time_point started_at{};
  Clock::time_point finished_at{};
  std::atomic<bool> cancel_requested{false};

  // File-dialog hand-over: written by the dialog callbacks, taken by the interface.
  std::string picked_image;
  std::string picked_folder;
  std::string dialog_error;

  float fraction = -1.0f;
  float step_from = 0.0f;
  float step_to = 0.0f;

  // The chosen branch name, or empty. Call with the mutex held.
  std::string chosen_branch() const { return std::string(chosen_branch_view()); }
  // The same without a copy, valid while the mutex is held.
  std::string_view chosen_branch_view() const {
    if (branch_index < 0 || branch_index >= static_cast<int32_t>(branches.size())) return {};
    return branches[static_cast<size_t>(branch_index)];
  }
};

}  // namespace korvix
