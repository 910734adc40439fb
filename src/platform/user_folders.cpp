#include "platform/user_folders.h"

#include <string>

#include "platform/environment.h"
#include "platform/paths.h"

namespace korvix {

std::optional<std::filesystem::path> env_folder(const char* name) {
  std::string value = env_or_empty(name);
  if (value.empty()) return std::nullopt;
  return path_from_utf8(value);
}

}  // namespace korvix
