// Reading a small file whole, in binary, so its bytes (and lines) are the same
// on every platform. The counterpart of save_file_atomically.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace korvix {

// The file's bytes, or nothing when it can't be opened or read.
std::optional<std::string> read_file_bytes(const std::filesystem::path& path);

}  // namespace korvix
