// launcher.ini: the launcher's own choices, in the data folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace korvix {

class InstallRecordCache;
struct LauncherStatus;

extern const char* const default_repository;

// The launcher's own choices that launcher.ini keeps; the branch choice lives
// in LauncherStatus, which the checks and the job share.
struct LauncherChoices {
  std::filesystem::path install_dir;
  std::filesystem::path source_dir;
  std::string repo = default_repository;
  bool direct_start = false;
  bool original_graphics = false;
  bool upscale_on_install = false;
  bool subtitles_on_install = false;
  std::vector<std::filesystem::path> disc_images;
  int32_t disc_image_index = 0;
};

// The data folder joined with "launcher.ini".
std::filesystem::path config_path();

// Reads launcher.ini into the choices and the status's branch choice (a missing
// branch comes from the install's record); what is missing or empty takes its
// default. Never fails: an unreadable file means all defaults.
void load_config(LauncherChoices& choices, LauncherStatus& status, InstallRecordCache& records);

// Writes the choices and the chosen branch to launcher.ini atomically. On failure
// the old file stays whole, the fields keep their values (the next save tries
// again), and `reason`, when given, tells why.
bool save_config(const LauncherChoices& choices, LauncherStatus& status, std::string* reason = nullptr);

// Where the sources are when launcher.ini doesn't say: the first line of
// "source.path" in the install folder, else "build/korvixvelarine" inside it.
std::filesystem::path default_source_folder(const std::filesystem::path& install_dir);

// The path text of a "source.path" file's content: its first line without
// trailing carriage returns and spaces; empty when there is none.
std::string source_path_text(std::string_view content);

}  // namespace korvix
