// Volumes: where disc images may sit, free space, and short path names.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace korvix {

// Roots of the drives a disc image may be on: the drive letters C to Z that are
// present on Windows, but for network drives and letters without a root (a
// disconnected network drive blocks for many seconds); the mount points of
// removable media elsewhere.
std::vector<std::filesystem::path> drive_roots();

// While one lives, a drive without media (an empty card reader) gives this thread
// an error instead of the system's "No disk" dialog. Nothing to do elsewhere.
class QuietDriveErrors {
 public:
  QuietDriveErrors();
  ~QuietDriveErrors();
  QuietDriveErrors(const QuietDriveErrors&) = delete;
  QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

 private:
  [[maybe_unused]] unsigned long saved_mode_ = 0;  // Windows only
};

// Bytes available to this user on the volume holding `path` (which must exist),
// or nothing when the system can't tell.
std::optional<uint64_t> free_bytes_available(const std::filesystem::path& path);

// The system's short (8.3) form of an existing path, or nothing where the system
// has none. Systems without short names hand back the path itself.
std::optional<std::filesystem::path> short_path_name(const std::filesystem::path& path);

}  // namespace korvix
