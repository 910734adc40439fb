// The editor screen's look: its colours, its sizes from the editor scale, and
// the interface library's style while the editor draws.
#pragma once

#include <imgui.h>

#include <array>

namespace korvix {

namespace editor_colors {

constexpr ImU32 rgba(int r, int g, int b, int a = 255) { return IM_COL32(r, g, b, a); }

constexpr ImU32 accent = rgba(255, 204, 0);
constexpr ImU32 warning = rgba(255, 80, 70);
constexpr ImU32 dim = rgba(255, 255, 255, 128);
constexpr ImU32 white = rgba(255, 255, 255);
constexpr ImU32 background = rgba(10, 16, 38);
constexpr ImU32 header_row = rgba(255, 255, 255, 14);
constexpr ImU32 badge_text = rgba(20, 20, 20);
constexpr ImU32 changed_dot = rgba(255, 140, 40);
constexpr ImU32 picked_words = rgba(60, 80, 140);
constexpr ImU32 playhead_words = rgba(255, 204, 0, 70);

// Speakers 1 to 10: white, yellow, pink, green, sky blue, orange, lavender,
// coral, mint, sand. The game uses the same order.
constexpr std::array<ImU32, 10> speakers = {
    rgba(255, 255, 255), rgba(250, 232, 74),  rgba(246, 96, 240),  rgba(128, 224, 40),  rgba(96, 200, 255),
    rgba(255, 160, 60),  rgba(180, 150, 255), rgba(255, 110, 110), rgba(120, 240, 190), rgba(225, 200, 150),
};

// The colour of a speaker index, clamped into 0 to 9.
ImU32 speaker(int index);

// The colour with its opacity replaced (0 to 255).
ImU32 with_alpha(ImU32 colour, int alpha);

}  // namespace editor_colors

// Sizes of one frame: all in pixels at the editor scale; s is the row unit and
// the text size.
struct EditorMetrics {
  float scale = 1.0f;
  float s = 17.0f;
  ImVec2 window;  // the whole editor's size
  ImFont* font = nullptr;

  float px(float at_scale_1) const { return at_scale_1 * scale; }
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
