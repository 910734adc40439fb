// What every full-window screen of the menu draws the same way: the window
// itself, the background, the panels, and text measured with the menu's font.
#pragma once

#include <imgui.h>

#include <cfloat>
#include <string_view>

#include "menu/menu_theme.h"
#include "ui/text_fit.h"

namespace korvix {

// The one full-window interface window: no decoration, no library navigation.
inline constexpr ImGuiWindowFlags full_window_flags =
    ImGuiWindowFlags_NoTitleBar | ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoMove |
    ImGuiWindowFlags_NoScrollbar | ImGuiWindowFlags_NoScrollWithMouse | ImGuiWindowFlags_NoCollapse |
    ImGuiWindowFlags_NoBackground | ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoNav;

inline MeasureText measure_at(ImFont* font, float size) {
  return [font, size](std::string_view text) {
    return font->CalcTextSizeA(size, FLT_MAX, 0.0f, text.data(), text.data() + text.size()).x;
  };
}

// Draws what shows of a one-line text in `width`: the layout never gets a long
// text whole (a value from a file or the network may be megabytes).
inline void add_clipped_text(ImDrawList* draw, ImFont* font, float size, ImVec2 position, ImU32 color,
                             std::string_view text, float width, const MeasureText& measure,
                             const ImVec4* clip = nullptr) {
  std::string_view shown = visible_part(text, width, measure);
  draw->AddText(font, size, position, color, shown.data(), shown.data() + shown.size(), 0.0f, clip);
}

// Opens the full-window window over the viewport and paints the background.
inline ImDrawList* begin_full_window(const char* name, ImVec2 origin, ImVec2 size) {
  ImGui::SetNextWindowPos(origin);
  ImGui::SetNextWindowSize(size);
  ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(0, 0));
  ImGui::PushStyleVar(ImGuiStyleVar_WindowBorderSize, 0.0f);
  ImGui::Begin(name, nullptr, full_window_flags);
  ImDrawList* draw = ImGui::GetWindowDrawList();
  draw->AddRectFilledMultiColor(origin, ImVec2(origin.x + size.x, origin.y + size.y), theme::background_top,
                                theme::background_top, theme::background_bottom, theme::background_bottom);
  return draw;
}

inline void end_full_window() {
  ImGui::End();
  ImGui::PopStyleVar(2);
}

// A panel behind rows: filled, outlined, rounded (`scale` is the menu's s).
inline void draw_panel_box(ImDrawList* draw, ImVec2 min, ImVec2 max, float scale) {
  draw->AddRectFilled(min, max, theme::panel, 10 * scale);
  draw->AddRect(min, max, theme::panel_edge, 10 * scale, 0, 1.5f * scale);
}

}  // namespace korvix
