// Paths are std::filesystem::path (wide on Windows); all other text is UTF-8.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace korvix {

namespace fs = std::filesystem;

std::string to_utf8(const fs::path& path);
fs::path path_from_utf8(std::string_view utf8);

// The same, for text from files and paths from the system: nothing instead of
// an exception where the conversion fails (invalid UTF-8, or a Windows path
// with a lone surrogate).
std::optional<std::string> path_to_text(const fs::path& path);
std::optional<fs::path> path_from_text(std::string_view text);

}  // namespace korvix
