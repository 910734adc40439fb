#include "platform/volumes.h"

#include <windows.h>

#include <string>

#include "platform/drive_roots_win32.h"

namespace korvix {

std::vector<std::filesystem::path> searchable_drive_roots(unsigned long present, const DriveTypeOf& drive_type) {
  // A and B are floppy letters; asking them may stall on old hardware.
  std::vector<std::filesystem::path> roots;
  for (wchar_t letter = L'C'; letter <= L'Z'; ++letter) {
    if (!(present & (1ul << (letter - L'A')))) continue;
    std::wstring root{letter, L':', L'\\'};
    unsigned type = drive_type(root);
    if (type == DRIVE_REMOTE || type == DRIVE_NO_ROOT_DIR) continue;
    roots.emplace_back(root);
  }
  return roots;
}

std::vector<std::filesystem::path> drive_roots() {
  return searchable_drive_roots(GetLogicalDrives(),
                                [](const std::wstring& root) { return GetDriveTypeW(root.c_str()); });
}

QuietDriveErrors::QuietDriveErrors() {
  DWORD saved = 0;
  if (SetThreadErrorMode(SEM_FAILCRITICALERRORS, &saved)) saved_mode_ = saved;
}

QuietDriveErrors::~QuietDriveErrors() { SetThreadErrorMode(saved_mode_, nullptr); }

std::optional<uint64_t> free_bytes_available(const std::filesystem::path& path) {
  ULARGE_INTEGER available{};
  if (!GetDiskFreeSpaceExW(path.c_str(), &available, nullptr, nullptr)) return std::nullopt;
  return static_cast<uint64_t>(available.QuadPart);
}

std::optional<std::filesystem::path> short_path_name(const std::filesystem::path& path) {
  // The size can change between the two calls (a rename); ask again when it grew.
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetShortPathNameW(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::nullopt;
    if (length < buffer.size()) {
      buffer.resize(length);
      return std::filesystem::path(buffer);
    }
    buffer.resize(length);
  }
}

}  // namespace korvix
