#include "platform/desktop.h"

#include <string>

#include "platform/file_read.h"
#include "platform/user_folders.h"

namespace korvix {

const ShortcutKind desktop_shortcut_kind = ShortcutKind::desktop_entry;

std::filesystem::path desktop_folder() {
  std::filesystem::path home = user_home();
  std::filesystem::path config = home / ".config";
  if (auto xdg = env_folder("XDG_CONFIG_HOME"); xdg && xdg->is_absolute()) config = *xdg;
  if (std::optional<std::string> text = read_file_bytes(config / "user-dirs.dirs"))
    if (auto folder = desktop_dir_from_user_dirs(*text, home)) return *folder;
  return home / "Desktop";
}

}  // namespace korvix
