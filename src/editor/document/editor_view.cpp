#include "editor/document/editor_view.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "platform/file_read.h"
#include "platform/file_save.h"
#include "subtitles/number_scan.h"

namespace korvix {

namespace {

// The next blank-separated word from `pos`, or nothing at the end.
std::optional<std::string_view> next_word(std::string_view text, size_t& pos) {
  pos = skip_blanks(text, pos);
  if (pos == text.size()) return std::nullopt;
  size_t start = pos;
  while (pos < text.size() && !is_blank(text[pos])) ++pos;
  return text.substr(start, pos - start);
}

// A whole word as a finite decimal number (an optional sign, digits, a point,
// an exponent), read the same in every locale.
std::optional<float> read_number(std::string_view word) {
  if (word.starts_with('+')) word.remove_prefix(1);
  float value = 0.0f;
  std::from_chars_result read = std::from_chars(word.data(), word.data() + word.size(), value);
  if (read.ec != std::errc() || read.ptr != word.data() + word.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

const std::array<ViewField, 3>& view_fields() {
  static const std::array<ViewField, 3> fields{{
      {"zoom", &EditorView::text_scale, 0.5f, 3.0f},
      {"list", &EditorView::list_width, 0.12f, 0.6f},
      {"preview", &EditorView::preview_height, 0.08f, 0.75f},
  }};
  return fields;
}

void parse_view(std::string_view content, EditorView& view) {
  size_t pos = 0;
  while (true) {
    std::optional<std::string_view> key = next_word(content, pos);
    std::optional<std::string_view> number_word = next_word(content, pos);
    std::optional<float> number = number_word ? read_number(*number_word) : std::nullopt;
    if (!key || !number) return;
    for (const ViewField& field : view_fields())
      if (*key == field.key) view.*field.value = std::clamp(*number, field.minimum, field.maximum);
  }
}

std::string format_view(const EditorView& view) {
  std::string out;
  for (const ViewField& field : view_fields()) {
    char number[32];
    std::to_chars_result end =
        std::to_chars(number, number + sizeof number, view.*field.value, std::chars_format::general, 6);
    out.append(field.key).append(" ").append(number, end.ptr).append("\r\n");
  }
  return out;
}

void load_view(const std::filesystem::path& file, EditorView& view) {
  if (std::optional<std::string> content = read_file_bytes(file)) parse_view(*content, view);
}

void save_view(const std::filesystem::path& file, const EditorView& view) {
  SaveOptions options;
  options.create_folders = true;
  save_file_atomically(file, format_view(view), options);
}

}  // namespace korvix
