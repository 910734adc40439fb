// The one long job: an install or update, or one of the two optional tools.
//
// Starting one: begin_job resets the status record and opens the job's log, the
// application saves launcher.ini, and launch_job starts one detached thread. The
// thread works only from the copies in JobInputs and its share of
// LauncherStatus, so it may outlive the window and the application object.
#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "state/launcher_config.h"
#include "state/launcher_status.h"

namespace korvix {

enum JobKind : int32_t { job_build = 0, job_upscaler = 1, job_subtitle_maker = 2 };

struct JobInputs {
  std::shared_ptr<LauncherStatus> status;
  std::filesystem::path install_dir;
  std::filesystem::path source_dir;
  std::string repo;
  bool upscale_on_install = false;
  bool subtitles_on_install = false;
  bool original_graphics = false;
};

JobInputs job_inputs(const LauncherChoices& choices, std::shared_ptr<LauncherStatus> status);

// Marks the job running in `status`, from a fresh record, and opens its log in
// the logs folder. False, changing nothing, while a job runs; else `branch` is
// the chosen branch the job works on.
bool begin_job(LauncherStatus& status, bool install, int32_t kind, std::string& branch);

// Starts the begun job's thread: the build with `disc_image` (empty for none)
// or one of the tools. A thread that can't be started ends the job as failed.
void launch_job(const JobInputs& inputs, bool install, int32_t kind, const std::string& branch,
                const std::filesystem::path& disc_image);

// "install_", "update_", "upscale_" or "subtitles_".
const char* job_log_prefix(bool install, int32_t kind);

// The log of a job started at `moment`: prefix, local time, ".log", in `logs`.
// A name already taken (two jobs in one second) gets "-2", "-3", ... so that no
// earlier log is overwritten.
std::filesystem::path job_log_path(const std::filesystem::path& logs, bool install, int32_t kind, std::time_t moment);

// Runs one program of the job, its output going to ProgressParser::handle_line,
// and gives its exit code. A program that can't be started puts its reason in the
// log and gives -1 (a program may end with -1 too; only the log tells them apart).
int run_job_program(LauncherStatus& status, const std::vector<std::string>& args,
                    const std::filesystem::path& working_folder);

// Stop: asks the job to end and kills its running child tree.
void stop_job(LauncherStatus& status);

}  // namespace korvix
