// The editor screen's look: its colours and sizes (kept free of the interface
// library in editor/style/), and the interface library's style while the
// editor draws.
#pragma once

#include <imgui.h>

#include "editor/style/editor_colors.h"
#include "editor/style/editor_sizes.h"

namespace korvix {

// Sizes of one frame, with the window and the font the screen draws with.
struct EditorMetrics : EditorSizes {
  ImVec2 window;  // the whole editor's size
  ImFont* font = nullptr;
};

EditorMetrics editor_metrics(float scale, ImVec2 window, ImFont* font);

// A point moved by (dx, dy).
inline ImVec2 offset(ImVec2 point, float dx, float dy) { return ImVec2(point.x + dx, point.y + dy); }

// The interface library's style and font for the editor, for the length of a scope.
class EditorStyleScope {
 public:
  explicit EditorStyleScope(const EditorMetrics& metrics);
  ~EditorStyleScope();
  EditorStyleScope(const EditorStyleScope&) = delete;
  EditorStyleScope& operator=(const EditorStyleScope&) = delete;

 private:
  int vars_ = 0;
  int colors_ = 0;
};

}  // namespace korvix
