#include "platform/file_save.h"

#include <atomic>
#include <system_error>
#include <thread>

#include "platform/file_save_detail.h"
#include "platform/paths.h"

namespace korvix {

namespace {

std::filesystem::path temporary_path_for(const std::filesystem::path& target, const SaveOptions& options) {
  static std::atomic<unsigned> counter{0};
  std::filesystem::path name = target.filename();
  if (!options.temp_suffix.empty()) {
    name += path_from_utf8(options.temp_suffix);
  } else {
    name += path_from_utf8(".tmp-" + std::to_string(current_process_id()) + "-" + std::to_string(counter++));
  }
  return target.parent_path() / name;
}

bool replace_with_retries(const std::filesystem::path& from, const std::filesystem::path& to,
                          std::chrono::milliseconds retry_for, std::string& reason) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point give_up = Clock::now() + retry_for;
  while (!replace_file(from, to, reason)) {
    if (Clock::now() >= give_up) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  return true;
}

}  // namespace

SaveResult save_file(const std::filesystem::path& target, std::string_view bytes, const SaveOptions& options) {
  if (options.create_folders && target.has_parent_path()) {
    std::error_code ignored;
    std::filesystem::create_directories(target.parent_path(), ignored);
  }
  SaveResult result;
  // A link stays a link: the file it leads to is replaced. A read-only file is
  // not replaced at all.
  SaveTarget resolved;
  if (!resolve_save_target(target, resolved, result.reason)) {
    result.failed_at = SaveStep::replacing;
    return result;
  }
  std::filesystem::path temporary = temporary_path_for(resolved.file, options);
  if (!write_and_flush(temporary, bytes, resolved, result.reason)) {
    result.failed_at = SaveStep::writing;
  } else if (!replace_with_retries(temporary, resolved.file, options.replace_retry_for, result.reason)) {
    result.failed_at = SaveStep::replacing;
  }
  if (!result.ok()) {
    // Only our own file: a folder standing in its place is not ours to delete.
    std::error_code ignored;
    if (!std::filesystem::is_directory(temporary, ignored)) std::filesystem::remove(temporary, ignored);
  }
  return result;
}

bool save_file_atomically(const std::filesystem::path& target, std::string_view bytes, const SaveOptions& options,
                          std::string* error) {
  SaveResult result = save_file(target, bytes, options);
  if (!result.ok() && error) *error = result.reason;
  return result.ok();
}

}  // namespace korvix
