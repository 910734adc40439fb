// The user's desktop, and how this system puts a shortcut on it.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace korvix {

enum class ShortcutKind {
  powershell_link,  // Windows: a .lnk made by PowerShell through the shell object
  desktop_entry,    // elsewhere: a freedesktop .desktop file written by the launcher
};
extern const ShortcutKind desktop_shortcut_kind;

// The desktop folder. Linux: XDG_DESKTOP_DIR of user-dirs.dirs in the config
// folder, else Desktop in the home. Windows: Desktop in the home (the shortcut's
// own command asks the shell for the real one).
std::filesystem::path desktop_folder();

// XDG_DESKTOP_DIR of a user-dirs.dirs text: the quoted value, "$HOME/" replaced by
// `home`. Nothing when the line is missing, the value isn't absolute, or it names
// the home itself (which by convention means "no desktop folder").
std::optional<std::filesystem::path> desktop_dir_from_user_dirs(std::string_view text,
                                                                const std::filesystem::path& home);

}  // namespace korvix
