#include "editor/document/typed_text.h"

#include <algorithm>

#include "base/utf8.h"

namespace korvix {

std::string one_line(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == '\n' || c == '\t' || c == '\r') c = ' ';
  }
  return out;
}

std::string name_text(std::string_view text) {
  std::string out = one_line(text);
  std::erase(out, '|');
  return out;
}

std::string_view utf8_prefix(std::string_view text, size_t max_bytes) {
  if (text.size() <= max_bytes) return text;
  size_t end = max_bytes;
  // Step back over continuation bytes to the start of the cut character.
  while (end > 0 && is_utf8_continuation(text[end])) --end;
  return text.substr(0, end);
}

std::string_view limit_typed(std::string_view before, std::string_view typed, size_t max_bytes) {
  return utf8_prefix(typed, std::max(max_bytes, before.size()));
}

}  // namespace korvix
