#include "platform/desktop.h"

#include <fstream>
#include <iterator>
#include <string>

#include "platform/user_folders.h"

namespace korvix {

const ShortcutKind desktop_shortcut_kind = ShortcutKind::desktop_entry;

std::filesystem::path desktop_folder() {
  std::filesystem::path home = user_home();
  std::filesystem::path config = home / ".config";
  if (auto xdg = env_folder("XDG_CONFIG_HOME"); xdg && xdg->is_absolute()) config = *xdg;
  std::ifstream in(config / "user-dirs.dirs", std::ios::binary);
  if (in) {
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (auto folder = desktop_dir_from_user_dirs(text, home)) return *folder;
  }
  return home / "Desktop";
}

}  // namespace korvix
