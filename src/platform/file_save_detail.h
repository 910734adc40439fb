// The system calls behind save_file.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace korvix {

// The file a save replaces, and what the new file keeps of it.
struct SaveTarget {
  // The target itself, or the file its links lead to: the links stay links.
  std::filesystem::path file;
  bool exists = false;
  // The old file's permission bits (POSIX) or attributes (Windows).
  unsigned long attributes = 0;
};

unsigned long current_process_id();

// Follows the target's links to the file they name and reads what the new file
// must keep. False with the system's text when the file may not be replaced: it
// is read-only (the read-only attribute on Windows; no write permission, or
// none at all even for the superuser, elsewhere), or its links go round.
bool resolve_save_target(const std::filesystem::path& target, SaveTarget& resolved, std::string& error);

// Creates `path` with the target's permission bits or attributes, writes every
// byte and flushes it to the disk.
bool write_and_flush(const std::filesystem::path& path, std::string_view bytes, const SaveTarget& target,
                     std::string& error);

// Renames `from` over `to`, replacing it.
bool replace_file(const std::filesystem::path& from, const std::filesystem::path& to, std::string& error);

}  // namespace korvix
