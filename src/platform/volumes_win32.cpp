#include "platform/volumes.h"

#include <windows.h>

#include <string>

namespace korvix {

std::vector<std::filesystem::path> drive_roots() {
  // A and B are floppy letters; asking them may stall on old hardware.
  std::vector<std::filesystem::path> roots;
  DWORD present = GetLogicalDrives();
  for (int letter = 'C'; letter <= 'Z'; ++letter) {
    if (present & (1u << (letter - 'A'))) {
      roots.emplace_back(std::wstring{static_cast<wchar_t>(letter), L':', L'\\'});
    }
  }
  return roots;
}

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
