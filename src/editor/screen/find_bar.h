// What find and replace keep between frames: the replace row under the
// toolbar, its options and text, the highlighted match, and requests that the
// next frame carries out. The search itself is the list's search field.
#pragma once

#include <optional>
#include <string>

#include "editor/document/clip_find.h"
#include "editor/document/text_find.h"

namespace korvix {

struct FindBar {
  bool replace_open = false;         // Ctrl+H's row
  std::string replacement;           // "Replace with"
  FindOptions options;               // kept while the program runs
  std::optional<TextMatch> current;  // the match stepped to, highlighted while it is one

  bool focus_search = false;  // Ctrl+F, Ctrl+H: the keyboard goes to a field
  bool focus_replacement = false;
  bool scroll_to_match = false;  // the right pane brings the match into view once
  bool field_active = false;     // this frame, the search or "Replace with" has the keyboard

  // The options the list and find follow: the row's while it is open; the
  // plain search's (any case, anywhere in the words) while it is closed.
  FindOptions in_effect() const { return replace_open ? options : FindOptions{}; }

  // Escape, Backspace or the gamepad's B while it is open, or its "Close".
  void close_replace_row() {
    replace_open = false;
    focus_replacement = false;
  }
};

}  // namespace korvix
