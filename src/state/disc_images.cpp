#include "state/disc_images.h"

#include <algorithm>
#include <system_error>

#include "platform/links.h"
#include "platform/volumes.h"
#include "state/folders.h"
#include "platform/paths.h"

namespace korvix {

namespace fs = std::filesystem;

namespace {

bool has_disc_image_extension(const fs::path& path) {
  fs::path::string_type extension = path.extension().native();
  if (extension.size() != 4) return false;
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](auto c) { return (c >= 'A' && c <= 'Z') ? static_cast<decltype(c)>(c - 'A' + 'a') : c; });
  return extension == fs::path(".iso").native();
}

class DiscImageSearch {
 public:
  void search(const fs::path& folder) {
    for_each_entry(folder, [this](const fs::directory_entry& entry) {
      test_candidate(entry);
      if (worth_entering(entry))
        for_each_entry(entry.path(), [this](const fs::directory_entry& inner) { test_candidate(inner); });
    });
  }

  std::vector<fs::path> found;

 private:
  template <typename Visit>
  static void for_each_entry(const fs::path& folder, Visit visit) {
    std::error_code error;
    fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
    // An entry that fails to list ends this folder's listing, never the search.
    for (; !error && it != fs::directory_iterator(); it.increment(error)) visit(*it);
  }

  // Real folders only: a link (which may loop or lead anywhere) and hidden folders stay closed.
  static bool worth_entering(const fs::directory_entry& entry) {
    std::error_code error;
    if (!entry.is_directory(error) || error || is_link_entry(entry)) return false;
    fs::path::string_type name = entry.path().filename().native();
    return !name.empty() && name.front() != '.';
  }

  void test_candidate(const fs::directory_entry& entry) {
    if (!has_disc_image_extension(entry.path())) return;
    std::error_code error;
    if (!entry.is_regular_file(error) || error) return;
    uint64_t size = entry.file_size(error);
    // A size that can't be read doesn't rule the image out.
    if (!error && size < min_disc_image_bytes) return;
    fs::path canonical = fs::weakly_canonical(entry.path(), error);
    if (error) canonical = entry.path();
    // Every later use (launcher.ini, the menu, command lines) needs the name as UTF-8.
    if (!path_to_text(canonical)) return;
    if (std::find(found.begin(), found.end(), canonical) == found.end()) found.push_back(canonical);
  }
};

}  // namespace

std::vector<fs::path> disc_image_search_folders() {
  std::vector<fs::path> folders;
  fs::path executable = own_executable();
  if (!executable.empty()) folders.push_back(executable.parent_path());
  fs::path home = home_folder();
  folders.push_back(home);
  for (const char* name : {"Downloads", "Documents", "Desktop", "Games"}) folders.push_back(home / name);
  std::vector<fs::path> roots = drive_roots();
  folders.insert(folders.end(), roots.begin(), roots.end());
  return folders;
}

std::vector<fs::path> find_disc_images_in(const std::vector<fs::path>& folders) {
  DiscImageSearch search;
  for (const fs::path& folder : folders) search.search(folder);
  return std::move(search.found);
}

std::vector<fs::path> find_disc_images() {
  // At start-up, before the window opens: an empty card reader must not stop it with a dialog.
  QuietDriveErrors quiet;
  return find_disc_images_in(disc_image_search_folders());
}

}  // namespace korvix
