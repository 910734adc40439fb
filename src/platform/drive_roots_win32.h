// Which drive letters the disc-image search opens (Windows only).
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace korvix {

// The type of drive a root such as D:\ is, as GetDriveTypeW reports it.
using DriveTypeOf = std::function<unsigned(const std::wstring& root)>;

// The roots of the letters C: to Z: set in `present` (bit 0 is A:, as from
// GetLogicalDrives), leaving out network drives (a disconnected one blocks for
// many seconds) and letters without a root. The player can still choose an image
// on a network drive in the file dialog.
std::vector<std::filesystem::path> searchable_drive_roots(unsigned long present, const DriveTypeOf& drive_type);

}  // namespace korvix
