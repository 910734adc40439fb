// ProgressParser: turns the output of a long job into its step, its fraction of
// the whole, the tail of output lines on screen and the log file.
//
// Every operation works on the shared LauncherStatus and takes its mutex for the
// fields it changes; the log is written under the same lock, so the file and the
// tail always hold the lines in the same order.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "state/launcher_status.h"

namespace korvix {

// One row of the step table: a step title that begins with `marker` spans the
// fraction range [from, to] of the whole job.
struct StepRange {
  std::string_view marker;
  float from;
  float to;
};

// Matched by prefix, first row wins: longer markers stand before the shorter
// markers they begin with. Rows with from == to are steps whose build output
// must not move the bar.
inline constexpr std::array<StepRange, 13> step_table{{
    {"Getting the Quillax SDK", 0.07f, 0.10f},
    {"Getting whisper.cpp", 0.35f, 0.37f},
    {"Getting ", 0.00f, 0.02f},
    {"Extracting the game", 0.02f, 0.02f},
    {"Building the SDK", 0.10f, 0.35f},
    {"Building korvix", 0.49f, 0.95f},
    {"Building", 0.02f, 0.02f},
    {"Extracting to", 0.02f, 0.06f},
    {"Checking the build tools", 0.06f, 0.07f},
    {"Downloading", 0.37f, 0.39f},
    {"Recompiling the game's code", 0.39f, 0.47f},
    {"Round", 0.47f, 0.49f},
    {"Test run", 0.95f, 0.98f},
}};

inline constexpr size_t output_tail_limit = 500;

// The row whose marker begins `title`, or null.
const StepRange* find_step(std::string_view title);

// A build tool's "[n/m]" count at the start of a line (after blanks). False for
// anything else, including a missing "]".
bool parse_build_count(std::string_view line, unsigned long& n, unsigned long& m);

enum JobOutcome : int { outcome_succeeded = 2, outcome_failed = 3, outcome_stopped = 4 };

// Opens the job's log at `path`, truncating it. When it can't be created, or
// later written, `log_error` says so with the system's reason; the job goes on,
// its lines still reaching the screen. Call with the mutex held.
void open_job_log(LauncherStatus& status, const std::filesystem::path& path);

struct ProgressParser {
  // The line handler of a job's child processes: "==> " lines name a step,
  // every other line is logged.
  static void handle_line(LauncherStatus& status, const std::string& line);
  // Shows the step and, when the table knows it, moves to its range (never back).
  static void set_step(LauncherStatus& status, const std::string& title);
  // Writes the line to the log and the tail and reads build progress from it.
  static void append_log(LauncherStatus& status, const std::string& line);
  // Ends the job, once. A requested stop wins over whatever the flow reports.
  static void finish(LauncherStatus& status, int outcome, const std::string& text);
};

}  // namespace korvix
