#include "platform/file_save.h"

#include <atomic>
#include <system_error>

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

}  // namespace

bool save_file_atomically(const std::filesystem::path& target, std::string_view bytes,
                          const SaveOptions& options, std::string* error) {
  std::string reason;
  if (options.create_folders && target.has_parent_path()) {
    std::error_code ignored;
    std::filesystem::create_directories(target.parent_path(), ignored);
  }
  std::filesystem::path temporary = temporary_path_for(target, options);
  bool ok = write_and_flush(temporary, bytes, reason) && replace_file(temporary, target, reason);
  if (!ok) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    if (error) *error = reason;
  }
  return ok;
}

}  // namespace korvix
