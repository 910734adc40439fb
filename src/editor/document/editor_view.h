// The editor's remembered view, editor.txt: its text size and the shares of
// the window taken by the clip list and the movie preview.
//
//   zoom 1.21
//   list 0.3
//   preview 0.28
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace korvix {

struct EditorView {
  float text_scale = 1.0f;       // "zoom"
  float list_width = 0.3f;       // "list": share of the window's width
  float preview_height = 0.28f;  // "preview": share of the height under the timeline
  bool operator==(const EditorView&) const = default;
};

struct ViewField {
  std::string_view key;
  float EditorView::*value;
  float minimum;
  float maximum;
};

// The file's keys in the order they are written, with each value's range.
const std::array<ViewField, 3>& view_fields();

// Reads word and number pairs into `view`, each value clamped into its range;
// the last of a key wins, other words are skipped with their number, and
// reading stops at the first pair that cannot be read, keeping what came before.
void parse_view(std::string_view content, EditorView& view);
// The three lines, CR LF, each value in its shortest form of up to 6 digits.
std::string format_view(const EditorView& view);

// A missing or damaged file leaves the values as they are.
void load_view(const std::filesystem::path& file, EditorView& view);
// Writes the file atomically, making its folders; failures are not reported.
void save_view(const std::filesystem::path& file, const EditorView& view);

}  // namespace korvix
