// The user's folders as the system names them, with their fallbacks.
#pragma once

#include <filesystem>
#include <optional>

namespace korvix {

// Where per-user application data goes: APPDATA on Windows, then USERPROFILE,
// then C:\. Elsewhere APPDATA when set (tests set it), then $XDG_DATA_HOME,
// then ~/.local/share.
std::filesystem::path application_data_base();

// The user's home: USERPROFILE, then C:\ on Windows. Elsewhere USERPROFILE when
// set (tests set it), then $HOME, then the account's home, then /.
std::filesystem::path user_home();

// The folder a variable names, or nothing when it is unset or empty (an empty
// value would make every folder relative to the working folder).
std::optional<std::filesystem::path> env_folder(const char* name);

}  // namespace korvix
