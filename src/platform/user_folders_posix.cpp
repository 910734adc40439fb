#include "platform/user_folders.h"

#include <pwd.h>
#include <unistd.h>

namespace korvix {

namespace {

std::filesystem::path unix_home() {
  if (auto home = env_folder("HOME")) return *home;
  if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir && *entry->pw_dir) return entry->pw_dir;
  return "/";
}

}  // namespace

std::filesystem::path application_data_base() {
  if (auto appdata = env_folder("APPDATA")) return *appdata;
  // The XDG rules ignore a relative XDG_DATA_HOME.
  if (auto xdg = env_folder("XDG_DATA_HOME"); xdg && xdg->is_absolute()) return *xdg;
  return unix_home() / ".local" / "share";
}

std::filesystem::path user_home() {
  if (auto profile = env_folder("USERPROFILE")) return *profile;
  return unix_home();
}

}  // namespace korvix
