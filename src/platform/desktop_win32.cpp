#include "platform/desktop.h"
#include "platform/user_folders.h"

namespace korvix {

const ShortcutKind desktop_shortcut_kind = ShortcutKind::powershell_link;

std::filesystem::path desktop_folder() { return user_home() / "Desktop"; }

}  // namespace korvix
