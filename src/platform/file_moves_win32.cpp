#include <windows.h>

#include "platform/file_moves.h"

namespace korvix {

namespace {

bool file_identity(const std::filesystem::path& path, BY_HANDLE_FILE_INFORMATION& info) {
  // No access rights needed to read the identity; share everything so a running
  // program's file can be opened too. Folders need the backup-semantics flag.
  HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = GetFileInformationByHandle(file, &info) != 0;
  CloseHandle(file);
  return ok;
}

}  // namespace

bool move_file_replacing(const std::filesystem::path& from, const std::filesystem::path& to,
                         unsigned long& error_code) {
  if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) return true;
  error_code = GetLastError();
  return false;
}

bool copy_file_replacing(const std::filesystem::path& from, const std::filesystem::path& to) {
  return CopyFileW(from.c_str(), to.c_str(), FALSE) != 0;
}

// Not the C++ library's copy: mingw's refuses to overwrite ("File exists"), as
// its test for a copy onto itself compares inode numbers, which Windows' stat
// leaves at 0 for every file of a drive.
bool copy_file_over(const std::filesystem::path& from, const std::filesystem::path& to, std::error_code& error) {
  if (CopyFileW(from.c_str(), to.c_str(), FALSE)) return true;
  error = std::error_code(static_cast<int>(GetLastError()), std::system_category());
  return false;
}

bool is_same_file(const std::filesystem::path& a, const std::filesystem::path& b) {
  BY_HANDLE_FILE_INFORMATION first{};
  BY_HANDLE_FILE_INFORMATION second{};
  if (!file_identity(a, first) || !file_identity(b, second)) return false;
  return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
         first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

bool mark_executable(const std::filesystem::path&) { return true; }

}  // namespace korvix
