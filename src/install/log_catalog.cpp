#include "install/log_catalog.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <system_error>

#include "install/log_file.h"
#include "platform/paths.h"
#include "state/folders.h"

namespace korvix {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view finished_line = "Finished.";
constexpr std::string_view failed_prefix = "Failed:";

struct KindPrefix {
  std::string_view prefix;
  std::string_view kind;
};

// The prefixes a job's log is named with.
constexpr std::array<KindPrefix, 4> kind_prefixes{{
    {"install_", "install"},
    {"update_", "update"},
    {"upscale_", "upscale"},
    {"subtitles_", "subtitles"},
}};

bool all_digits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool same_file_name(const fs::path& a, const fs::path& b) {
  return !a.empty() && a.lexically_normal() == b.lexically_normal();
}

bool newer(const LogEntry& a, const LogEntry& b) {
  if (a.name.stamp != b.name.stamp) return a.name.stamp > b.name.stamp;
  if (a.name.sequence != b.name.sequence) return a.name.sequence > b.name.sequence;
  return a.name.kind < b.name.kind;
}

}  // namespace

JobLogFacts job_log_facts(LauncherStatus& status) {
  std::lock_guard lock(status.mutex);
  return {status.log_path, status.job_state};
}

std::string LogEnding::describe() const {
  switch (kind) {
    case LogEndingKind::finished:
      return "Finished";
    case LogEndingKind::failed:
      return text.empty() ? "Failed" : "Failed: " + text;
    case LogEndingKind::stopped:
      return "Stopped";
    case LogEndingKind::running:
      return "Running";
    case LogEndingKind::cut_off:
      break;
  }
  return "Cut off";
}

LogEnding log_ending(std::string_view last_line, const fs::path& path, const JobLogFacts& job) {
  if (same_file_name(job.log_path, path)) {
    if (job.job_state == job_running) return {LogEndingKind::running, {}};
    if (job.job_state == job_stopped) return {LogEndingKind::stopped, {}};
  }
  if (last_line == finished_line) return {LogEndingKind::finished, {}};
  if (last_line.starts_with(failed_prefix)) {
    std::string_view text = last_line.substr(failed_prefix.size());
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    return {LogEndingKind::failed, std::string(text)};
  }
  return {LogEndingKind::cut_off, {}};
}

std::optional<LogName> parse_log_name(std::string_view file_name) {
  if (!file_name.ends_with(".log")) return std::nullopt;
  file_name.remove_suffix(4);
  for (const KindPrefix& entry : kind_prefixes) {
    if (!file_name.starts_with(entry.prefix)) continue;
    std::string_view rest = file_name.substr(entry.prefix.size());
    // YYYYMMDD-HHMMSS, then maybe -N
    if (rest.size() < 15 || !all_digits(rest.substr(0, 8)) || rest[8] != '-' || !all_digits(rest.substr(9, 6)))
      return std::nullopt;
    LogName name{std::string(entry.kind), std::string(rest.substr(0, 15)), 1};
    std::string_view suffix = rest.substr(15);
    if (suffix.empty()) return name;
    if (suffix.front() != '-' || !all_digits(suffix.substr(1)) || suffix.size() > 6) return std::nullopt;
    name.sequence = std::stoi(std::string(suffix.substr(1)));
    return name;
  }
  return std::nullopt;
}

std::string LogEntry::title() const {
  const std::string& s = name.stamp;
  std::string text = name.kind + "  " + s.substr(0, 4) + "-" + s.substr(4, 2) + "-" + s.substr(6, 2) + " " +
                     s.substr(9, 2) + ":" + s.substr(11, 2) + ":" + s.substr(13, 2);
  if (name.sequence > 1) text += " (" + std::to_string(name.sequence) + ")";
  return text;
}

LogCatalog list_logs(const fs::path& folder, const JobLogFacts& job) {
  LogCatalog catalog;
  std::error_code error;
  fs::directory_iterator it(folder, error);
  if (error) {
    if (error != std::errc::no_such_file_or_directory)
      catalog.error = "Couldn't list the logs in " + to_utf8(folder) + " (" + error.message() + ").";
    return catalog;
  }
  for (; it != fs::directory_iterator(); it.increment(error)) {
    if (error) break;
    std::error_code entry_error;
    if (!it->is_regular_file(entry_error)) continue;
    uint64_t size = it->file_size(entry_error);
    if (entry_error) continue;
    ++catalog.file_count;
    catalog.total_bytes += size;
    std::optional<std::string> file_name = path_to_text(it->path().filename());
    std::optional<LogName> name = file_name ? parse_log_name(*file_name) : std::nullopt;
    if (!name) continue;
    LogEntry entry{it->path(), *name, size, {}};
    entry.ending = log_ending(read_last_line(entry.path), entry.path, job);
    catalog.entries.push_back(std::move(entry));
  }
  std::sort(catalog.entries.begin(), catalog.entries.end(), newer);
  return catalog;
}

std::string read_last_line(const fs::path& path) {
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return {};
  uint64_t size = fs::file_size(path, error);
  if (error || size == 0) return {};
  std::ifstream stream(path, std::ios::binary);
  uint64_t want = std::min<uint64_t>(size, LogFile::line_bytes_limit);
  stream.seekg(static_cast<std::streamoff>(size - want));
  std::string tail(static_cast<size_t>(want), '\0');
  stream.read(tail.data(), static_cast<std::streamsize>(want));
  tail.resize(static_cast<size_t>(stream.gcount()));
  if (!tail.empty() && tail.back() == '\n') tail.pop_back();
  size_t feed = tail.rfind('\n');
  return std::string(without_carriage_return(feed == std::string::npos ? tail : tail.substr(feed + 1)));
}

std::string format_size(uint64_t bytes) {
  if (bytes < 1000) return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
  constexpr std::array<const char*, 4> units{"KB", "MB", "GB", "TB"};
  double value = static_cast<double>(bytes);
  size_t unit = 0;
  for (value /= 1000.0; value >= 999.95 && unit + 1 < units.size(); value /= 1000.0) ++unit;
  char text[32];
  std::snprintf(text, sizeof text, "%.1f %s", value, units[unit]);
  return text;
}

fs::path logs_folder() { return data_folder() / "logs"; }

}  // namespace korvix
