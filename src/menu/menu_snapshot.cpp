#include "menu/menu_snapshot.h"

#include "ui/text_fit.h"

namespace korvix {

namespace {

// Texts from files and the network may be of any length: a frame copies only
// what it can show.
CommitInfo shown_commit(const CommitInfo& commit) {
  return {screenful(commit.id), screenful(commit.date), screenful(commit.message)};
}

std::vector<std::string> shown_texts(auto first, auto last) {
  std::vector<std::string> texts;
  texts.reserve(static_cast<size_t>(last - first));
  for (; first != last; ++first) texts.push_back(screenful(*first));
  return texts;
}

}  // namespace

MenuSnapshot take_snapshot(LauncherStatus& status, LauncherStatus::Clock::time_point now) {
  MenuSnapshot snapshot;
  std::lock_guard lock(status.mutex);
  snapshot.launcher_update = status.launcher_update;
  snapshot.launcher_version = screenful(status.launcher_version);
  snapshot.launcher_error = screenful(status.launcher_error);
  snapshot.branch = screenful(status.chosen_branch_view());
  snapshot.step = screenful(status.step);
  snapshot.job_state = status.job_state;
  snapshot.job_is_install = status.job_is_install;
  snapshot.job_upscaling = status.job_upscaling;
  snapshot.job_subtitles = status.job_subtitles;
  snapshot.job_error = screenful(status.job_error);
  snapshot.check_state = status.check_state;
  snapshot.check_error = screenful(status.check_error);
  snapshot.latest_commit = shown_commit(status.latest_commit);
  snapshot.behind_by = status.behind_by;
  snapshot.ahead_by = status.ahead_by;
  snapshot.new_commits = shown_texts(status.new_commits.begin(), status.new_commits.end());
  snapshot.log_path = status.log_path;
  snapshot.log_error = status.log_error;
  size_t tail = status.output_tail.size();
  size_t first = tail > drawn_output_lines ? tail - drawn_output_lines : 0;
  snapshot.output_tail =
      shown_texts(status.output_tail.begin() + static_cast<std::ptrdiff_t>(first), status.output_tail.end());
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
