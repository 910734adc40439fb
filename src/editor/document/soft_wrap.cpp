#include "editor/document/soft_wrap.h"

namespace korvix {

namespace {

bool is_gap(char c) { return c == ' ' || c == '\n'; }

size_t next_gap(std::string_view text, size_t from) {
  while (from < text.size() && !is_gap(text[from])) ++from;
  return from;
}

}  // namespace

std::vector<size_t> soft_breaks(std::string_view text, float width, const MeasureText& measure) {
  std::vector<size_t> breaks;
  size_t row_start = 0;
  size_t last_gap = std::string_view::npos;  // the gap before the word under test, on this row
  for (size_t word_start = 0;;) {
    size_t word_end = next_gap(text, word_start);
    if (last_gap != std::string_view::npos && measure(text.substr(row_start, word_end - row_start)) > width) {
      breaks.push_back(last_gap);
      row_start = last_gap + 1;
    }
    if (word_end >= text.size()) break;
    last_gap = word_end;
    word_start = word_end + 1;
  }
  return breaks;
}

void apply_soft_breaks(std::string& text, const std::vector<size_t>& breaks) {
  for (char& c : text) {
    if (c == '\n') c = ' ';
  }
  for (size_t at : breaks) {
    if (at < text.size()) text[at] = '\n';
  }
}

}  // namespace korvix
