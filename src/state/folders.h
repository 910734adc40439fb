// Well-known folders, the installed-game test and the disc-image search.
#pragma once

#include <filesystem>

namespace korvix {

// "korvix.exe" in the folder and "default.xex" in its "game" subfolder.
bool is_installed(const std::filesystem::path& folder);

}  // namespace korvix
