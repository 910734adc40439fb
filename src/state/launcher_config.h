// launcher.ini: the launcher's own choices, in the data folder.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace korvix {

class LauncherApp;

// The data folder joined with "launcher.ini".
std::filesystem::path config_path();

// Reads launcher.ini into the app's fields and the branch choice; what is missing
// or empty takes its default. Never fails: an unreadable file means all defaults.
void load_config(LauncherApp& app);

// Writes the app's fields to launcher.ini atomically. On failure the old file
// stays whole, the fields keep their values (the next save tries again), and
// `reason`, when given, tells why.
bool save_config(const LauncherApp& app, std::string* reason = nullptr);

// save_config for a choice the player just made: a failure is not silent, or the
// menu would show a choice the next start has lost. It puts "Couldn't save
// launcher.ini (reason)." in the status line.
void save_config_or_tell(LauncherApp& app);

// Where the sources are when launcher.ini doesn't say: the first line of
// "source.path" in the install folder, else "build/korvixvelarine" inside it.
std::filesystem::path default_source_folder(const std::filesystem::path& install_dir);

// The path text of a "source.path" file's content: its first line without
// trailing carriage returns and spaces; empty when there is none.
std::string source_path_text(std::string_view content);

}  // namespace korvix
