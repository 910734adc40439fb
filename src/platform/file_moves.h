// Moving, copying and comparing whole files, for replacing the launcher's own file
// and for filling the sources folder.
#pragma once

#include <filesystem>
#include <system_error>

namespace korvix {

// Renames `from` to `to`, replacing `to`. Across volumes the file is copied and the
// original removed. On failure returns false with the system's error number.
bool move_file_replacing(const std::filesystem::path& from, const std::filesystem::path& to,
                         unsigned long& error_code);

// Copies `from` over `to`, overwriting it. On failure `to` may be missing but is
// never left half-written under its name.
bool copy_file_replacing(const std::filesystem::path& from, const std::filesystem::path& to);

// Copies `from` to `to` as a plain copy (not atomic, no temporary file), over
// a file that is there, with `from`'s permission bits or attributes. On failure
// returns false and `error` says why.
bool copy_file_over(const std::filesystem::path& from, const std::filesystem::path& to, std::error_code& error);

// True when both paths name the same file of the file system (same volume and file
// index, or device and inode), whatever their names. False when either is missing.
bool is_same_file(const std::filesystem::path& a, const std::filesystem::path& b);

// Lets the file be run as a program: execute rights wherever read rights are, on
// systems that have such rights. Windows runs any ".exe" and needs nothing.
bool mark_executable(const std::filesystem::path& file);

}  // namespace korvix
