#include "update/self_update.h"

#include <system_error>

#include "platform/detached_start.h"
#include "platform/executable_path.h"
#include "platform/file_moves.h"
#include "platform/paths.h"
#include "state/folders.h"

namespace korvix {

namespace {

namespace fs = std::filesystem;

const char side_copy_prefix[] = "korvix-launcher-";

fs::path with_suffix(const fs::path& file, const char* suffix) {
  fs::path result = file;
  result += suffix;
  return result;
}

// Overwrites every regular file "korvix-launcher-..." in the folder with `launcher`,
// so a separately downloaded copy starts the same program.
void refresh_side_copies(const fs::path& folder, const fs::path& launcher) {
  std::error_code error;
  fs::directory_iterator it(folder, error);
  if (error) return;
  for (const fs::directory_entry& entry : it) {
    std::error_code entry_error;
    if (entry.is_symlink(entry_error) || !entry.is_regular_file(entry_error)) continue;
    std::string name = to_utf8(entry.path().filename());
    if (name.size() < 16 || name.compare(0, 16, side_copy_prefix) != 0) continue;
    copy_file_replacing(launcher, entry.path());
  }
}

}  // namespace

fs::path download_path_for(const fs::path& target) { return with_suffix(target, ".download"); }

fs::path old_path_for(const fs::path& target) { return with_suffix(target, ".old"); }

fs::path launcher_update_target(const fs::path& install_dir) {
  if (is_installed(install_dir)) {
    fs::path installed = install_dir / launcher_file_name;
    std::error_code error;
    if (fs::exists(installed, error)) return installed;
  }
  return own_executable();
}

void clean_update_leftovers(const fs::path& install_dir) {
  fs::path own = own_executable();
  for (const fs::path& file : {own, install_dir.empty() ? fs::path() : install_dir / launcher_file_name}) {
    if (file.empty()) continue;
    std::error_code error;
    if (!fs::is_directory(file.parent_path(), error)) continue;
    fs::remove(old_path_for(file), error);
    fs::remove(download_path_for(file), error);
  }
}

bool keep_launcher_in_install_folder(const fs::path& install_dir) {
  return place_launcher_in_install_folder(own_executable(), install_dir);
}

bool place_launcher_in_install_folder(const fs::path& own, const fs::path& install_dir) {
  std::error_code error;
  if (own.empty() || install_dir.empty() || !fs::is_directory(install_dir, error)) return false;
  fs::path target = install_dir / launcher_file_name;
  if (!fs::exists(target, error) || !is_same_file(own, target)) {
    // A running program's file may be moved: the launcher then runs from the
    // install folder. Where the move fails, a copy goes there and the old file is
    // removed once it is no longer running.
    unsigned long code = 0;
    if (!move_file_replacing(own, target, code)) {
      if (!copy_file_replacing(own, target)) return false;
      delete_when_unused(own);
    }
  }
  refresh_side_copies(install_dir, target);
  return true;
}

}  // namespace korvix
