// Programs started and left to run on their own.
#pragma once

#include <filesystem>
#include <string>

namespace korvix {

// Starts `program` with no arguments in its own folder, with a normal window and
// no inherited handles, and does not wait for it. On failure returns false with
// the system's error number.
bool start_detached_program(const std::filesystem::path& program, unsigned long& error_code);

// Removes the file of a program that may still be running. Windows keeps such a
// file locked, so a hidden PowerShell loop deletes it once it is free; POSIX
// systems unlink it at once. Returns false when nothing could be started or done.
bool delete_when_unused(const std::filesystem::path& file);

// The PowerShell command line behind the Windows side of delete_when_unused: a
// hidden loop that tries once a second, for at most 30 minutes, to delete the file
// at `path_utf8` (its single quotes doubled). Plain text work, tested everywhere.
std::string delayed_delete_command(const std::string& path_utf8);

}  // namespace korvix
