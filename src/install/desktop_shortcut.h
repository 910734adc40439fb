// The desktop shortcut to the launcher, with the game's own icon.
//
// Windows gets a .lnk, made by a one-line PowerShell command through the shell
// object; elsewhere the launcher writes a freedesktop desktop entry itself. The
// texts are built here, apart from the runs, so tests read them directly.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvix {

// The shortcut's name on the desktop, without its extension.
extern const char* const shortcut_name;

// The PowerShell command that saves "Korvix Velarine.lnk" on the desktop, pointing
// at `target`, starting in `folder`, with `icon` (first icon of the file) when
// given. Paths are UTF-8 inside single-quoted strings, their single quotes doubled.
std::string shortcut_command(const std::filesystem::path& target, const std::filesystem::path& folder,
                             const std::optional<std::filesystem::path>& icon);

// A desktop entry that runs `target` in `folder`, with `icon` when given. Lines end
// in a line feed, as the format wants.
std::string desktop_entry_text(const std::filesystem::path& target, const std::filesystem::path& folder,
                               const std::optional<std::filesystem::path>& icon);

// One argument of a desktop entry's Exec key: double-quoted by the Exec rules, then
// escaped as a string value (so a backslash becomes four).
std::string desktop_exec_argument(std::string_view argument);

// The shortcut itself, once the icon and the launcher's copy are in place: to the
// launcher file in `install_dir`, or to the running launcher when that is missing,
// starting in the target's folder, with the game's icon when present. True when made.
bool write_desktop_shortcut(const std::filesystem::path& install_dir);

// The game's icon in the install folder, made by the icon maker when missing; a
// failing maker only means a shortcut without the game's icon.
void ensure_game_icon(const std::filesystem::path& install_dir, const std::filesystem::path& source_dir);

// Icon, the launcher's copy in the install folder, then the desktop shortcut to
// it. True when the shortcut was made.
bool make_desktop_shortcut(const std::filesystem::path& install_dir, const std::filesystem::path& source_dir);

// The icon makers that exist, in order of preference: korvix-icon.exe in the
// install folder, then in each folder of the sources' out/build.
std::vector<std::filesystem::path> icon_maker_candidates(const std::filesystem::path& install_dir,
                                                         const std::filesystem::path& source_dir);

}  // namespace korvix
