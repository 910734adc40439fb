#include "platform/volumes.h"

#include <pwd.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <system_error>

#include "platform/environment.h"

namespace korvix {

namespace {

std::string user_name() {
  if (const passwd* entry = getpwuid(geteuid()); entry && entry->pw_name) return entry->pw_name;
  return env_or_empty("USER");
}

}  // namespace

std::vector<std::filesystem::path> drive_roots() {
  // Desktop environments mount removable media one folder per volume under these.
  std::vector<std::filesystem::path> roots;
  std::string user = user_name();
  if (user.empty()) return roots;
  for (const char* base : {"/media", "/run/media"}) {
    std::vector<std::filesystem::path> found;
    std::error_code error;
    std::filesystem::directory_iterator it(std::filesystem::path(base) / user,
                                           std::filesystem::directory_options::skip_permission_denied, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
      std::error_code type_error;
      if (it->is_directory(type_error)) found.push_back(it->path());
    }
    std::sort(found.begin(), found.end());
    roots.insert(roots.end(), found.begin(), found.end());
  }
  return roots;
}

QuietDriveErrors::QuietDriveErrors() = default;
QuietDriveErrors::~QuietDriveErrors() = default;

std::optional<uint64_t> free_bytes_available(const std::filesystem::path& path) {
  struct statvfs info {};
  if (statvfs(path.c_str(), &info) != 0) return std::nullopt;
  return static_cast<uint64_t>(info.f_bavail) * static_cast<uint64_t>(info.f_frsize);
}

std::optional<std::filesystem::path> short_path_name(const std::filesystem::path& path) { return path; }

}  // namespace korvix
