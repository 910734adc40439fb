#include "platform/user_folders.h"

namespace korvix {

namespace {

const wchar_t* const system_drive_root = L"C:\\";

}  // namespace

std::filesystem::path application_data_base() {
  if (auto appdata = env_folder("APPDATA")) return *appdata;
  if (auto profile = env_folder("USERPROFILE")) return *profile;
  return system_drive_root;
}

std::filesystem::path user_home() {
  if (auto profile = env_folder("USERPROFILE")) return *profile;
  return system_drive_root;
}

}  // namespace korvix
