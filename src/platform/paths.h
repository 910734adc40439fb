// Paths are std::filesystem::path (wide on Windows); all other text is UTF-8.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace korvix {

namespace fs = std::filesystem;

std::string to_utf8(const fs::path& path);
fs::path path_from_utf8(std::string_view utf8);

}  // namespace korvix
