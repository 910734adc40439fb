#include "platform/executable_path.h"

#include <system_error>

namespace korvix {

const char* const launcher_file_name = "korvix-launcher";
const char* const launcher_release_asset = "korvix-launcher-linux-x64";

std::filesystem::path running_executable_path() {
  std::error_code error;
  std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return path;
}

}  // namespace korvix
