#include "install/job.h"

#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "install/install_flow.h"
#include "install/log_catalog.h"
#include "install/process_runner.h"
#include "install/progress_parser.h"
#include "install/tool_flow.h"
#include "platform/local_time.h"
#include "state/folders.h"

namespace korvix {

namespace fs = std::filesystem;

JobInputs job_inputs(const LauncherChoices& choices, std::shared_ptr<LauncherStatus> status) {
  JobInputs inputs;
  inputs.status = std::move(status);
  inputs.install_dir = choices.install_dir;
  inputs.source_dir = choices.source_dir;
  inputs.repo = choices.repo;
  inputs.upscale_on_install = choices.upscale_on_install;
  inputs.subtitles_on_install = choices.subtitles_on_install;
  inputs.original_graphics = choices.original_graphics;
  return inputs;
}

const char* job_log_prefix(bool install, int32_t kind) {
  if (kind == job_upscaler) return "upscale_";
  if (kind == job_subtitle_maker) return "subtitles_";
  return install ? "install_" : "update_";
}

fs::path job_log_path(const fs::path& logs, bool install, int32_t kind, std::time_t moment) {
  std::string stem = job_log_prefix(install, kind) + format_local_time(moment, "%Y%m%d-%H%M%S");
  fs::path path = logs / (stem + ".log");
  std::error_code error;
  for (int n = 2; fs::exists(path, error) && n < 1000; ++n) path = logs / (stem + "-" + std::to_string(n) + ".log");
  return path;
}

int run_job_program(LauncherStatus& status, const std::vector<std::string>& args, const fs::path& working_folder) {
  RunResult result = ProcessRunner::run(
      args, working_folder, [&status](const std::string& line) { ProgressParser::handle_line(status, line); },
      &status.cancel_requested);
  if (result.started()) return result.exit_code;
  ProgressParser::append_log(status, result.start_error);
  return -1;
}

void stop_job(LauncherStatus& status) {
  status.cancel_requested.exchange(true);
  ProcessRunner::cancel_running();
}

bool begin_job(LauncherStatus& status, bool install, int32_t kind, std::string& branch) {
  std::lock_guard lock(status.mutex);
  if (status.job_state == job_running) return false;
  branch = status.chosen_branch();
  status.job_state = job_running;
  status.job_is_install = install;
  status.job_upscaling = kind == job_upscaler;
  status.job_subtitles = kind == job_subtitle_maker;
  status.step = "Starting";
  status.fraction = kind == job_build ? 0.0f : -1.0f;
  status.step_from = 0.0f;
  status.step_to = 0.0f;
  status.job_error.clear();
  status.output_tail.clear();
  status.cancel_requested.store(false);
  status.started_at = LauncherStatus::Clock::now();

  fs::path logs = logs_folder();
  std::error_code error;
  fs::create_directories(logs, error);
  open_job_log(status, job_log_path(logs, install, kind, std::time(nullptr)));
  return true;
}

void launch_job(const JobInputs& inputs, bool install, int32_t kind, const std::string& branch,
                const fs::path& disc_image) {
  try {
    if (kind == job_build) {
      std::thread(run_install_job, inputs, install, branch, disc_image).detach();
    } else {
      std::thread(run_tool_job, inputs, kind).detach();
    }
  } catch (const std::system_error& failure) {
    // The record already says a job runs; end it rather than leave it running forever.
    ProgressParser::finish(*inputs.status, outcome_failed,
                           std::string("The job couldn't be started: ") + failure.what() + ".");
  }
}

}  // namespace korvix
