// The search for the player's disc image: ".iso" files of at least 1 GiB in the
// usual folders and drive roots, and one folder level below each.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace korvix {

// Smaller ".iso" files are stubs or partial downloads.
constexpr uint64_t min_disc_image_bytes = uint64_t{1} << 30;

// The folder of the launcher, the home folder, its Downloads, Documents, Desktop
// and Games, then every drive root.
std::vector<std::filesystem::path> disc_image_search_folders();

// Disc images in `folders` and one level below each, without duplicates, in the
// order found. Unreadable folders, links to folders and hidden folders are not
// entered; nothing ever fails the search as a whole.
std::vector<std::filesystem::path> find_disc_images_in(const std::vector<std::filesystem::path>& folders);

// The disc images in the usual folders.
std::vector<std::filesystem::path> find_disc_images();

}  // namespace korvix
