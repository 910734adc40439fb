// Well-known folders, the installed-game test, free space and short paths.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace korvix {

// The launcher's own data folder: "KorvixVelarine" in the user's application data.
std::filesystem::path data_folder();

// The user's home folder.
std::filesystem::path home_folder();

// "KorvixVelarine" in "Games" under the home folder, unless the game is already
// installed in "Korvix Velarine" (with a space) there.
std::filesystem::path default_install_folder();

// The running launcher's executable, or an empty path when the system can't tell.
std::filesystem::path own_executable();

// "korvix.exe" in the folder and "default.xex" in its "game" subfolder.
bool is_installed(const std::filesystem::path& folder);

// Bytes available to the user on the volume where `folder` is or would be
// created (its nearest existing parent); nothing when the system can't tell.
std::optional<uint64_t> free_space(const std::filesystem::path& folder);

// "%.0f GB" of bytes in units of 2^30.
std::string format_gigabytes(uint64_t bytes);

// The path without spaces for a command line: the system's short form when it has
// one without spaces, else the path unchanged.
std::filesystem::path space_free_path(const std::filesystem::path& path);

}  // namespace korvix
