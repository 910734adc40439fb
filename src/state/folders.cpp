#include "state/folders.h"

#include <system_error>

namespace korvix {

bool is_installed(const std::filesystem::path& folder) {
  if (folder.empty()) return false;
  std::error_code error;
  return std::filesystem::exists(folder / "korvix.exe", error) &&
         std::filesystem::exists(folder / "game" / "default.xex", error);
}

}  // namespace korvix
