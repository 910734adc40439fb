// Small widgets and layout helpers the editor's parts share.
#pragma once

#include <imgui.h>

#include <cstddef>
#include <string>

namespace korvix {

class EditorDocument;

// A text field over a growable string: a longer text (from the file) is shown
// and kept whole; typing can't make it longer than max(max_typed, its length).
// True when the text was edited.
bool input_string(const char* label, std::string& text, size_t max_typed, ImGuiInputTextFlags flags = 0,
                  const char* hint = nullptr);

// The words field: as wide as given, as high as its text wrapped at spaces to
// that width, at least one row; Enter leaves it instead of making a new line.
// `text` comes back on one line. True when it was edited.
bool input_words(const char* label, std::string& text, size_t max_typed, float width);
// The height input_words takes for `text` at `width`.
float words_field_height(const std::string& text, float width);

// Marks bytes [start, end) of `text` in the text field just drawn, on its rows
// as input_words wraps them (`wrapped`) or on its one row: a box of `fill`
// with those words again in `ink` over it.
void mark_text_range(const std::string& text, size_t start, size_t end, bool wrapped, ImU32 fill, ImU32 ink);

// A field that edits the selected clip: the document's gesture is open while
// it is active and ends when it is left. Call right after the field.
void follow_field_gesture(EditorDocument& document);

// A button with a tooltip; true when pressed.
bool button_with_tooltip(const char* label, const char* tooltip);

// Widths of widgets before drawing them, for rows that flow onto a new line.
float button_width(const char* label);
float checkbox_width(const char* label);

// Items placed left to right, starting a new line when the next one would pass
// the right edge of the content region.
class FlowRow {
 public:
  FlowRow();
  // Call before each item with its width.
  void place(float width);

 private:
  float right_;
  bool first_ = true;
};

// The label's text without its "##id" part.
const char* label_end(const char* label);

}  // namespace korvix
