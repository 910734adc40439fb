#include "state/path_text.h"

#include <exception>

#include "platform/paths.h"

namespace korvix {

std::optional<std::string> path_to_text(const std::filesystem::path& path) {
  try {
    return to_utf8(path);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::optional<std::filesystem::path> path_from_text(std::string_view text) {
  try {
    return path_from_utf8(text);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace korvix
