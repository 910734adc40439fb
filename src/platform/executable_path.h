// The running program's own file.
#pragma once

#include <filesystem>

namespace korvix {

// Full path of the running executable, or an empty path when the system can't tell.
std::filesystem::path running_executable_path();

// The launcher's file name on this platform, and the name of its release asset.
extern const char* const launcher_file_name;
extern const char* const launcher_release_asset;

}  // namespace korvix
