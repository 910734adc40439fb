// Copying the unpacked sources into the sources folder, links and all, without
// ever following a link out of either tree.
#pragma once

#include <filesystem>
#include <system_error>
#include <vector>

namespace korvix {

struct TreeCopy {
  std::error_code error;                              // the first failure; the copy stops there
  std::vector<std::filesystem::path> links_left_out;  // where links can't be made (Windows)
};

// Copies what the folder `from` holds into `to` (created when missing), each
// entry as what it is: a folder is merged, a file overwrites, and a link is
// copied as a link, never followed, so it can't bring in what lies outside or
// go round for ever. Nothing is written through a link already in `to`: an
// entry of another kind there gives way to the tree's. Entries that are none
// of these (a FIFO, a device) are left out, and what only `to` has stays.
TreeCopy copy_tree(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace korvix
