#include "update/self_update.h"

#include <cctype>
#include <chrono>
#include <system_error>
#include <thread>

#include "install/process_runner.h"
#include "platform/detached_start.h"
#include "platform/executable_path.h"
#include "platform/file_moves.h"
#include "platform/paths.h"
#include "platform/system_error.h"
#include "state/folders.h"
#include "update/http.h"
#include "platform/sha256.h"

namespace korvix {

namespace {

namespace fs = std::filesystem;

const char sha256_prefix[] = "sha256:";
// A smaller file is an error page, not a program.
constexpr uint64_t smallest_launcher = 1048576;

fs::path with_suffix(const fs::path& file, const char* suffix) {
  fs::path result = file;
  result += suffix;
  return result;
}

// Overwrites every regular file "korvix-launcher-..." in the folder with `launcher`,
// so a separately downloaded copy starts the same program. Nothing here throws:
// it runs at start-up and on the job's thread.
void refresh_side_copies(const fs::path& folder, const fs::path& launcher) {
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code entry_error;
    if (it->is_symlink(entry_error) || !it->is_regular_file(entry_error)) continue;
    if (is_side_copy_name(it->path().filename())) copy_file_replacing(launcher, it->path());
  }
}

std::string lower_case(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

uint64_t file_size_or_zero(const fs::path& file) {
  std::error_code error;
  uintmax_t size = fs::file_size(file, error);
  return error ? 0 : static_cast<uint64_t>(size);
}

// Puts "<name>.old" back under the name of `target`; failing a rename, a copy.
void restore_previous(const fs::path& target) {
  fs::path old = old_path_for(target);
  unsigned long code = 0;
  if (!move_file_replacing(old, target, code)) copy_file_replacing(old, target);
}

std::string rename_error(const fs::path& target, unsigned long code) {
  return "couldn't replace " + to_utf8(target) + " (" + system_error_text(code) + ")";
}

// The previous launcher, by now "<name>.old", is still ending when the new one
// starts, and Windows keeps a running program's file: a worker tries again.
void remove_previous_launcher(const fs::path& old) {
  std::error_code error;
  if (fs::remove(old, error) || !error) return;  // gone, or never there
  std::thread([old] {
    for (int tries = 0; tries < 300; ++tries) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      std::error_code again;
      if (fs::remove(old, again) || !again) return;
    }
  }).detach();
}

}  // namespace

bool is_side_copy_name(const fs::path& file_name) {
  // In the system's own form: a Windows name need not be valid UTF-16, and
  // converting such a name to UTF-8 throws.
  static const fs::path::string_type prefix = fs::path("korvix-launcher-").native();
  const fs::path::string_type& name = file_name.native();
  return name.size() >= prefix.size() && name.compare(0, prefix.size(), prefix) == 0;
}

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

void start_launcher_download(const std::shared_ptr<LauncherStatus>& status, const fs::path& install_dir) {
  std::string url;
  uint64_t expected_size = 0;
  std::string expected_digest;
  {
    std::lock_guard lock(status->mutex);
    bool may_start = status->launcher_update == update_available || status->launcher_update == update_failed;
    if (!may_start || status->launcher_download_url.empty()) return;
    status->launcher_update = update_downloading;
    url = status->launcher_download_url;
    expected_size = static_cast<uint64_t>(status->launcher_size);
    expected_digest = status->launcher_digest;
  }
  fs::path target = launcher_update_target(install_dir);
  std::thread([status, url, expected_size, expected_digest, target] {
    run_launcher_download(*status, url, expected_size, expected_digest, target);
  }).detach();
}

DownloadCheck judge_download(const RunResult& curl, const std::string& curl_output, uint64_t file_size,
                             uint64_t expected_size, const std::string& expected_digest,
                             const std::function<std::string()>& actual_sha256) {
  DownloadCheck check;
  if (!curl.started()) {
    check.error = curl.start_error;
  } else if (curl.exit_code != 0) {
    check.error = "download failed (" + first_line(curl_output) + ")";
  } else if (file_size < smallest_launcher || (expected_size != 0 && expected_size != file_size)) {
    check.error = "the download came out wrong (" + std::to_string(file_size) + " bytes)";
  } else if (expected_digest.compare(0, sizeof sha256_prefix - 1, sha256_prefix) == 0) {
    // Other kinds of digest can't be checked here and count as absent.
    std::string expected = lower_case(expected_digest.substr(sizeof sha256_prefix - 1));
    if (actual_sha256() != expected) check.error = "the download came out wrong (checksum mismatch)";
  }
  return check;
}

void run_launcher_download(LauncherStatus& status, const std::string& url, uint64_t expected_size,
                           const std::string& expected_digest, const fs::path& target) {
  fs::path download = download_path_for(target);
  std::error_code ignored;
  fs::remove(download, ignored);
  // curl runs in the file's folder and gets its bare name: Windows' curl.exe
  // reads its arguments in the ANSI code page, where a folder such as the user
  // folder of "Łukasz" (where that page is 1252) has no name.
  std::string output;
  RunResult curl = ProcessRunner::run(download_arguments(url, to_utf8(download.filename())), download.parent_path(),
                                      [&output](const std::string& line) { output += line + "\n"; });
  DownloadCheck check = judge_download(curl, output, file_size_or_zero(download), expected_size, expected_digest,
                                       [&] { return sha256_file_hex(download).value_or(""); });
  if (!check.error.empty()) {
    fs::remove(download, ignored);
  } else {
    // curl writes plain data files; the new launcher must be a program.
    mark_executable(download);
  }
  std::lock_guard lock(status.mutex);
  status.launcher_update = check.error.empty() ? update_ready : update_failed;
  status.launcher_error = check.error;
  status.launcher_file = download;
}

SwapResult swap_in_download(const fs::path& download, const fs::path& target) {
  SwapResult result;
  fs::path old = old_path_for(target);
  std::error_code ignored;
  fs::remove(old, ignored);
  unsigned long code = 0;
  if (!move_file_replacing(target, old, code)) {
    result.error = rename_error(target, code);
    return result;
  }
  if (!move_file_replacing(download, target, code)) {
    result.error = rename_error(target, code);
    restore_previous(target);
    return result;
  }
  result.ok = true;
  return result;
}

StartResult start_new_launcher(const fs::path& program) {
  StartResult result;
  unsigned long code = 0;
  result.ok = start_detached_program(program, code);
  if (!result.ok) result.error = "couldn't start the new launcher (error " + std::to_string(code) + ")";
  return result;
}

bool apply_launcher_update(const std::shared_ptr<LauncherStatus>& status, const fs::path& install_dir,
                           const std::function<void()>& save_config) {
  fs::path download;
  {
    std::lock_guard lock(status->mutex);
    download = status->launcher_file;
    // Any way out but success leaves a failure on the row.
    status->launcher_update = update_failed;
    status->launcher_error = "couldn't put it in place";
  }
  fs::path target = launcher_update_target(install_dir);
  SwapResult swap = swap_in_download(download, target);
  std::string error = swap.error;
  if (swap.ok) {
    save_config();
    StartResult started = start_new_launcher(target);
    if (started.ok) return true;
    error = started.error;
    // A program that doesn't start is no launcher: put the previous one back.
    restore_previous(target);
  }
  std::lock_guard lock(status->mutex);
  status->launcher_error = error;
  return false;
}

void clean_update_leftovers(const fs::path& install_dir) {
  fs::path own = own_executable();
  for (const fs::path& file : {own, install_dir.empty() ? fs::path() : install_dir / launcher_file_name}) {
    if (file.empty()) continue;
    std::error_code error;
    if (!fs::is_directory(file.parent_path(), error)) continue;
    remove_previous_launcher(old_path_for(file));
    fs::remove(download_path_for(file), error);
  }
}

bool keep_launcher_in_install_folder(const fs::path& install_dir) {
  return place_launcher_in_install_folder(own_executable(), install_dir);
}

bool place_launcher_in_install_folder(const fs::path& own, const fs::path& install_dir, MoveFile move) {
  std::error_code error;
  if (own.empty() || install_dir.empty() || !fs::is_directory(install_dir, error)) return false;
  fs::path target = install_dir / launcher_file_name;
  if (!fs::exists(target, error) || !is_same_file(own, target)) {
    // A running program's file may be moved: the launcher then runs from the
    // install folder. Where the move fails, a copy goes there and the old file is
    // removed once it is no longer running.
    unsigned long code = 0;
    if (!move(own, target, code)) {
      if (!copy_file_replacing(own, target)) return false;
      delete_when_unused(own);
    } else if (fs::exists(own, error) && !is_same_file(own, target)) {
      // Across drives Windows copies, can't delete the running source, and still
      // reports success; started later, that older copy would overwrite this one.
      delete_when_unused(own);
    }
  }
  refresh_side_copies(install_dir, target);
  return true;
}

}  // namespace korvix
