#include <windows.h>

#include "platform/links.h"

namespace korvix {

bool is_link_entry(const std::filesystem::directory_entry& entry) {
  // Symbolic links and junctions (such as the old "Application Data" names in a
  // profile) are both reparse points; the runtime library reports neither.
  DWORD attributes = GetFileAttributesW(entry.path().c_str());
  return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool copy_link(const std::filesystem::path&, const std::filesystem::path&, std::error_code& error) {
  error = std::make_error_code(std::errc::operation_not_supported);
  return false;
}

}  // namespace korvix
