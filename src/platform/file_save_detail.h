// The system calls behind save_file_atomically.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace korvix {

unsigned long current_process_id();
// Creates or truncates `path`, writes every byte and flushes it to the disk.
bool write_and_flush(const std::filesystem::path& path, std::string_view bytes, std::string& error);
// Renames `from` over `to`, replacing it.
bool replace_file(const std::filesystem::path& from, const std::filesystem::path& to, std::string& error);

}  // namespace korvix
