// The jobs' logs in the launcher's "logs" folder: what each one is and how its
// job ended. The launcher never deletes a log, so the folder only grows.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "state/launcher_status.h"

namespace korvix {

// What the job record says of the current job's log, taken under the status mutex.
struct JobLogFacts {
  std::filesystem::path log_path;  // empty before the first job of this run
  int32_t job_state = job_idle;
};

JobLogFacts job_log_facts(LauncherStatus& status);

enum class LogEndingKind { finished, failed, stopped, running, cut_off };

struct LogEnding {
  LogEndingKind kind = LogEndingKind::cut_off;
  std::string text;  // of a failure; may be empty

  // "Finished", "Failed: TEXT" ("Failed" without a text), "Stopped", "Running", "Cut off".
  std::string describe() const;
};

// How the job of the log at `path` ended, from the log's last line: "Finished."
// or "Failed: TEXT"; anything else is a log cut off. The job record knows
// better of its own log: that it runs, or that a stop (which logs "Failed: ")
// ended it.
LogEnding log_ending(std::string_view last_line, const std::filesystem::path& path, const JobLogFacts& job);

// The parts of a log's file name: PREFIX_YYYYMMDD-HHMMSS.log, or with "-N"
// before ".log" for a later log of the same second.
struct LogName {
  std::string kind;  // "install", "update", "upscale", "subtitles"
  std::string stamp;  // "YYYYMMDD-HHMMSS"
  int sequence = 1;
};

std::optional<LogName> parse_log_name(std::string_view file_name);

struct LogEntry {
  std::filesystem::path path;
  LogName name;
  uint64_t size = 0;
  LogEnding ending;

  // "install  2025-06-01 14:03:22"
  std::string title() const;
};

struct LogCatalog {
  std::vector<LogEntry> entries;  // newest first
  uint64_t total_bytes = 0;       // of every file in the folder
  size_t file_count = 0;
  std::string error;              // why the folder couldn't be listed; empty when it could
};

// Lists `folder`; a missing folder is an empty one.
LogCatalog list_logs(const std::filesystem::path& folder, const JobLogFacts& job);

// The last line of the file, without its line end; empty when there is none or
// the file can't be read. Reads only the file's end.
std::string read_last_line(const std::filesystem::path& path);

// "312 bytes", "4.2 KB", "12.4 MB", "1.3 GB" (units of 1000).
std::string format_size(uint64_t bytes);

// The logs folder of the launcher's data folder.
std::filesystem::path logs_folder();

}  // namespace korvix
