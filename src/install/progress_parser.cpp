#include "install/progress_parser.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <mutex>
#include <system_error>

#include "install/process_runner.h"
#include "platform/paths.h"

namespace korvix {

namespace {

constexpr std::string_view step_prefix = "==> ";

// Moves the bar inside the current step. Call with the mutex held.
void apply_build_count(LauncherStatus& status, std::string_view line) {
  if (!(status.step_to > status.step_from)) return;
  unsigned long n = 0;
  unsigned long m = 0;
  if (!parse_build_count(line, n, m) || m == 0 || n > m) return;
  float candidate = status.step_from + (status.step_to - status.step_from) * static_cast<float>(n) /
                                           static_cast<float>(m);
  status.fraction = std::max(status.fraction, candidate);
}

// The log failed just now: errno still tells why.
void note_log_failure(LauncherStatus& status) {
  if (!status.log_error.empty()) return;
  int reason = errno != 0 ? errno : EIO;
  status.log_error =
      "Couldn't write the log " + to_utf8(status.log_path) + " (" + std::generic_category().message(reason) + ").";
}

// Writes to the log while it is good, flushed so the file is readable while the
// job runs. Call with the mutex held.
void write_log(LauncherStatus& status, std::string_view text) {
  if (!status.log_file.good()) return;
  errno = 0;
  status.log_file << text;
  status.log_file.flush();
  if (!status.log_file.good()) note_log_failure(status);
}

}  // namespace

void open_job_log(LauncherStatus& status, const std::filesystem::path& path) {
  status.log_path = path;
  status.log_error.clear();
  status.log_file.close();
  status.log_file.clear();
  errno = 0;
  status.log_file.open(path, std::ios::out | std::ios::trunc | std::ios::binary);
  if (!status.log_file.is_open()) note_log_failure(status);
}

const StepRange* find_step(std::string_view title) {
  for (const StepRange& row : step_table)
    if (title.substr(0, row.marker.size()) == row.marker) return &row;
  return nullptr;
}

bool parse_build_count(std::string_view line, unsigned long& n, unsigned long& m) {
  size_t start = line.find_first_not_of(" \t");
  if (start == std::string_view::npos || line[start] != '[') return false;
  std::string text(line.substr(start));
  char closing = 0;
  return std::sscanf(text.c_str(), "[%lu/%lu%c", &n, &m, &closing) == 3 && closing == ']';
}

void ProgressParser::handle_line(LauncherStatus& status, const std::string& line) {
  std::string clean = clean_output_line(line);
  if (clean.compare(0, step_prefix.size(), step_prefix) == 0) {
    set_step(status, clean.substr(step_prefix.size()));
  } else {
    append_log(status, clean);
  }
}

void ProgressParser::set_step(LauncherStatus& status, const std::string& title) {
  {
    std::lock_guard lock(status.mutex);
    status.step = title;
    if (const StepRange* row = find_step(title)) {
      status.step_from = row->from;
      status.step_to = row->to;
      status.fraction = std::max(status.fraction, row->from);
    }
  }
  append_log(status, "== " + title);
}

void ProgressParser::append_log(LauncherStatus& status, const std::string& line) {
  std::lock_guard lock(status.mutex);
  write_log(status, line + '\n');
  status.output_tail.push_back(line);
  while (status.output_tail.size() > output_tail_limit) status.output_tail.pop_front();
  apply_build_count(status, line);
}

void ProgressParser::finish(LauncherStatus& status, int outcome, const std::string& text) {
  std::lock_guard lock(status.mutex);
  bool stopped = status.cancel_requested.load();
  status.job_state = stopped ? job_stopped : outcome;
  status.job_error = stopped ? std::string("Stopped.") : text;
  status.finished_at = LauncherStatus::Clock::now();
  write_log(status, outcome == outcome_succeeded ? "Finished.\n" : "Failed: " + text + '\n');
  // The run is over: release the file, so a next job or the user may open it.
  status.log_file.close();
}

}  // namespace korvix
