// Font files of the system that the menu may draw with.
#pragma once

#include <filesystem>
#include <vector>

namespace korvix {

// Bold sans fonts of the system, tried after the Windows fonts folder's
// candidates. Empty on Windows, where those candidates are the system's own.
std::vector<std::filesystem::path> system_fallback_fonts();

}  // namespace korvix
