#include "platform/paths.h"

#include <exception>

namespace korvix {

std::string to_utf8(const fs::path& path) {
  std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

fs::path path_from_utf8(std::string_view utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::optional<std::string> path_to_text(const fs::path& path) {
  try {
    return to_utf8(path);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::optional<fs::path> path_from_text(std::string_view text) {
  try {
    return path_from_utf8(text);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace korvix
