// The launcher's replacement of itself: download the new program next to the file
// it replaces, check it, swap the two by renaming, start the new one and quit.
// Also keeps the launcher's file in the install folder current and removes the
// leftovers of an earlier update at start-up.
//
// The launcher file on disk is never missing or broken, whatever fails: the
// download goes to "<name>.download", the previous program is kept as "<name>.old"
// until the swap has worked, and a failed swap puts it back.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "install/process_runner.h"
#include "platform/file_moves.h"
#include "state/launcher_status.h"

namespace korvix {

// The file an update replaces: the launcher file of the install folder when the
// folder holds an install and that file exists, else the running program's file.
std::filesystem::path launcher_update_target(const std::filesystem::path& install_dir);

// "<name>.download" and "<name>.old" beside `target`.
std::filesystem::path download_path_for(const std::filesystem::path& target);
std::filesystem::path old_path_for(const std::filesystem::path& target);

// The menu's "Update the launcher": in states 3 and 6 with a download address,
// sets state 4 and starts the download worker for the file replaced. Else nothing.
void start_launcher_download(const std::shared_ptr<LauncherStatus>& status, const std::filesystem::path& install_dir);

// What a finished download leaves: no error text means the file is good.
struct DownloadCheck {
  std::string error;
};

// Judges a download of `file_size` bytes made by the run `curl`:
// below 1 MiB, a size other than the release's (when known), or a SHA-256 other
// than the release's digest "sha256:<64 hex>" (when given) is wrong.
// `actual_sha256` is the file's hash in lower-case hex, asked for only when needed.
DownloadCheck judge_download(const RunResult& curl, const std::string& curl_output, uint64_t file_size,
                             uint64_t expected_size, const std::string& expected_digest,
                             const std::function<std::string()>& actual_sha256);

// The download worker's body, on the calling thread: downloads `url` to the
// download path of `target`, judges it, deletes a bad file and stores the result
// (state 5 or 6) in `status`.
void run_launcher_download(LauncherStatus& status, const std::string& url, uint64_t expected_size,
                           const std::string& expected_digest, const std::filesystem::path& target);

struct SwapResult {
  bool ok = false;
  std::string error;  // "couldn't replace <target> (<system text>)"
};

// Puts `download` in place of `target`, keeping the previous program as "<name>.old".
// If the second rename fails the previous program is renamed back.
SwapResult swap_in_download(const std::filesystem::path& download, const std::filesystem::path& target);

struct StartResult {
  bool ok = false;
  std::string error;  // "couldn't start the new launcher (error N)"
};
StartResult start_new_launcher(const std::filesystem::path& program);

// Applies a finished download (state 5) on the interface thread: swap, save the
// configuration through `save_config`, start the new program. True when the new
// launcher runs and this one should quit; otherwise state 6 with the reason.
bool apply_launcher_update(const std::shared_ptr<LauncherStatus>& status, const std::filesystem::path& install_dir,
                           const std::function<void()>& save_config);

// Start-up: deletes "<name>.old" and "<name>.download" beside the running program
// and beside the install folder's launcher file. Errors are ignored; a ".old" that
// is still running (the launcher that started this one) goes once it has ended.
void clean_update_leftovers(const std::filesystem::path& install_dir);

// Makes the install folder hold this launcher as its launcher file (moving the
// running program there, or copying it), then refreshes the side copies named
// "korvix-launcher-..." in that folder. False when nothing could be done; callers
// ignore the result.
bool keep_launcher_in_install_folder(const std::filesystem::path& install_dir);

// How the launcher's file is moved: move_file_replacing, or a stand-in in tests.
using MoveFile = bool (*)(const std::filesystem::path& from, const std::filesystem::path& to,
                          unsigned long& error_code);

// The same for the program file `own` (the running one above; tests pass a copy).
bool place_launcher_in_install_folder(const std::filesystem::path& own, const std::filesystem::path& install_dir,
                                      MoveFile move = move_file_replacing);

// Whether a file name of the install folder is a side copy of the launcher
// ("korvix-launcher-" and more), whatever else the name holds.
bool is_side_copy_name(const std::filesystem::path& file_name);

}  // namespace korvix
