#include "menu/text_fit.h"

namespace korvix {

std::vector<std::string> wrap_text(std::string_view text, float width, const MeasureText& measure) {
  std::vector<std::string> lines;
  while (measure(text) > width) {
    // The last blank that leaves a fitting part before it.
    size_t cut = std::string_view::npos;
    for (size_t blank = text.find(' '); blank != std::string_view::npos; blank = text.find(' ', blank + 1)) {
      if (measure(text.substr(0, blank)) > width) break;
      cut = blank;
    }
    if (cut == std::string_view::npos) {
      cut = text.find(' ');  // a word wider than the line stays whole
      if (cut == std::string_view::npos) break;
    }
    lines.emplace_back(text.substr(0, cut));
    text.remove_prefix(cut + 1);
  }
  lines.emplace_back(text);
  return lines;
}

std::string truncate_front(std::string_view text, float width, const MeasureText& measure) {
  if (measure(text) <= width) return std::string(text);
  std::string candidate;
  while (!text.empty()) {
    // Drop one whole UTF-8 character: the lead byte and its continuation bytes.
    size_t drop = 1;
    while (drop < text.size() && (static_cast<unsigned char>(text[drop]) & 0xC0) == 0x80) ++drop;
    text.remove_prefix(drop);
    candidate = "...";
    candidate += text;
    if (measure(candidate) <= width) return candidate;
  }
  return "...";
}

}  // namespace korvix
