// Links between folders: symbolic links everywhere, and junctions on Windows.
#pragma once

#include <filesystem>

namespace korvix {

// True when the entry is a link of any kind (or can't be told), so a search
// must not enter it: it may lead anywhere, or back to itself.
bool is_link_entry(const std::filesystem::directory_entry& entry);

}  // namespace korvix
