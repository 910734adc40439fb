#include "platform/desktop.h"

#include <string>

#include "platform/paths.h"

namespace korvix {

namespace {

std::string_view trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

// The shell-style double-quoted value: a backslash takes the next byte literally.
std::optional<std::string> unquote(std::string_view value) {
  if (value.size() < 2 || value.front() != '"') return std::nullopt;
  std::string out;
  for (size_t at = 1; at < value.size(); ++at) {
    char c = value[at];
    if (c == '"') return out;
    if (c == '\\' && at + 1 < value.size()) c = value[++at];
    out.push_back(c);
  }
  return std::nullopt;  // no closing quote
}

}  // namespace

std::optional<std::filesystem::path> desktop_dir_from_user_dirs(std::string_view text,
                                                                const std::filesystem::path& home) {
  constexpr std::string_view key = "XDG_DESKTOP_DIR=";
  std::optional<std::filesystem::path> found;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = trim(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (line.substr(0, key.size()) != key) continue;
    std::optional<std::string> value = unquote(trim(line.substr(key.size())));
    if (!value) continue;
    constexpr std::string_view home_prefix = "$HOME";
    std::filesystem::path folder;
    if (value->compare(0, home_prefix.size(), home_prefix) == 0) {
      std::string rest = value->substr(home_prefix.size());
      if (!rest.empty() && rest.front() != '/') continue;  // "$HOMEX" is no home path
      while (!rest.empty() && rest.front() == '/') rest.erase(0, 1);
      if (rest.empty()) continue;  // the home itself: no desktop folder
      folder = home / path_from_utf8(rest);
    } else if (!value->empty() && value->front() == '/') {
      folder = path_from_utf8(*value);
    } else {
      continue;
    }
    found = folder;  // the last valid line wins, as in a shell
  }
  return found;
}

}  // namespace korvix
