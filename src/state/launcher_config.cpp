#include "state/launcher_config.h"

#include <algorithm>
#include <mutex>
#include <optional>
#include <string>

#include "platform/file_read.h"
#include "platform/paths.h"
#include "state/folders.h"
#include "state/install_record.h"
#include "state/key_value_file.h"
#include "state/launcher_status.h"

namespace korvix {

namespace {

std::string value_of(const KeyValues& entries, const char* key) {
  auto it = entries.find(key);
  return it == entries.end() ? std::string() : it->second;
}

// Only the exact text switches an option on: "true" or "Original" do not.
bool is_exactly(const KeyValues& entries, const char* key, const char* on) { return value_of(entries, key) == on; }

// A stored path; nothing when it is empty or no UTF-8 (a damaged file).
std::optional<std::filesystem::path> stored_path(const std::string& text) {
  if (text.empty()) return std::nullopt;
  return path_from_text(text);
}

// A path with no UTF-8 form is left out; loading then takes the default.
void store_path(KeyValues& entries, const char* key, const std::filesystem::path& path) {
  if (std::optional<std::string> text = path_to_text(path)) entries[key] = *text;
}

const char* flag(bool on) { return on ? "1" : "0"; }

void choose_branch(LauncherStatus& status, const std::string& branch) {
  std::lock_guard lock(status.mutex);
  auto it = std::find(status.branches.begin(), status.branches.end(), branch);
  if (it == status.branches.end()) it = status.branches.insert(status.branches.end(), branch);
  status.branch_index = static_cast<int32_t>(it - status.branches.begin());
}

}  // namespace

const char* const default_repository = "korvix-velarine/korvix-velarine";

std::filesystem::path config_path() { return data_folder() / "launcher.ini"; }

std::string source_path_text(std::string_view content) {
  std::string_view first_line = content.substr(0, content.find('\n'));
  size_t kept = first_line.find_last_not_of("\r ");
  return std::string(first_line.substr(0, kept == std::string_view::npos ? 0 : kept + 1));
}

std::filesystem::path default_source_folder(const std::filesystem::path& install_dir) {
  std::string content = read_file_bytes(install_dir / "source.path").value_or(std::string());
  return stored_path(source_path_text(content)).value_or(install_dir / "build" / "korvixvelarine");
}

void load_config(LauncherChoices& choices, LauncherStatus& status, InstallRecordCache& records) {
  KeyValues entries = read_ini(config_path());

  std::optional<std::filesystem::path> install_dir = stored_path(value_of(entries, "install_dir"));
  choices.install_dir = install_dir ? *install_dir : default_install_folder();
  std::optional<std::filesystem::path> source_dir = stored_path(value_of(entries, "source_dir"));
  choices.source_dir = source_dir ? *source_dir : default_source_folder(choices.install_dir);
  if (std::string repo = value_of(entries, "repo"); !repo.empty()) choices.repo = repo;

  choices.direct_start = is_exactly(entries, "direct_start", "1");
  choices.original_graphics = is_exactly(entries, "look", "original");
  choices.upscale_on_install = is_exactly(entries, "upscale_on_install", "1");
  choices.subtitles_on_install = is_exactly(entries, "subtitles_on_install", "1");

  // Needs install_dir: the install's own record names its branch.
  std::string branch = value_of(entries, "branch");
  if (branch.empty()) branch = installed_branch(records, choices.install_dir);
  if (branch.empty()) branch = "main";
  choose_branch(status, branch);
}

bool save_config(const LauncherChoices& choices, LauncherStatus& status, std::string* reason) {
  KeyValues entries{
      {"repo", choices.repo},
      {"direct_start", flag(choices.direct_start)},
      {"look", choices.original_graphics ? "original" : "velarine"},
      {"upscale_on_install", flag(choices.upscale_on_install)},
      {"subtitles_on_install", flag(choices.subtitles_on_install)},
  };
  store_path(entries, "install_dir", choices.install_dir);
  store_path(entries, "source_dir", choices.source_dir);
  {
    std::lock_guard lock(status.mutex);
    entries["branch"] = status.chosen_branch();
  }
  if (!choices.disc_images.empty()) {
    // An index the list no longer covers falls back to its nearest entry.
    size_t index = static_cast<size_t>(
        std::clamp<int32_t>(choices.disc_image_index, 0, static_cast<int32_t>(choices.disc_images.size()) - 1));
    store_path(entries, "iso", choices.disc_images[index]);
  }
  return write_ini(config_path(), entries, reason);
}

}  // namespace korvix
