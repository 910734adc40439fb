// Paths as UTF-8 text in files, for names that may not convert: a damaged file
// may hold bytes that are no UTF-8, and a Windows file name may hold UTF-16 that
// has no UTF-8 form. Either would otherwise throw from the conversion.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace korvix {

std::optional<std::string> path_to_text(const std::filesystem::path& path);
std::optional<std::filesystem::path> path_from_text(std::string_view text);

}  // namespace korvix
