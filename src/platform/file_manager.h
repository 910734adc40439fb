// Showing a folder in the system's file manager.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace korvix {

// The command that shows `folder`: Explorer from the Windows folder on Windows,
// xdg-open (the desktop's own file manager) elsewhere; the program first.
std::vector<std::string> file_manager_command(const std::filesystem::path& folder);

// Starts that command and leaves it to run on its own. False, with a one-line
// `error`, when it can't be started.
bool show_folder(const std::filesystem::path& folder, std::string& error);

}  // namespace korvix
