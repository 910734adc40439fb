#include "editor/screen/editor_style.h"

#include <type_traits>

namespace korvix {

// The plain colours are handed to the interface library as they are.
static_assert(std::is_same_v<Colour, ImU32>);
static_assert(editor_colors::rgba(1, 2, 3, 4) == IM_COL32(1, 2, 3, 4));
static_assert(editor_colors::with_alpha(editor_colors::white, 9) == IM_COL32(255, 255, 255, 9));

EditorMetrics editor_metrics(float scale, ImVec2 window, ImFont* font) {
  return EditorMetrics{editor_sizes(scale), window, font};
}

namespace {

struct StyleVarValue {
  ImGuiStyleVar var;
  ImVec2 value;  // in units of s; a single value uses x
  bool pair;
};

// Paddings and spacings in row units, so the whole screen scales with the text.
constexpr StyleVarValue style_vars[] = {
    {ImGuiStyleVar_WindowPadding, {0.6f, 0.5f}, true},
    {ImGuiStyleVar_FramePadding, {0.4f, 0.2f}, true},
    {ImGuiStyleVar_ItemSpacing, {0.45f, 0.35f}, true},
    {ImGuiStyleVar_ItemInnerSpacing, {0.3f, 0.25f}, true},
    {ImGuiStyleVar_CellPadding, {0.25f, 0.14f}, true},
    {ImGuiStyleVar_IndentSpacing, {0.6f, 0}, false},
    {ImGuiStyleVar_ScrollbarSize, {0.75f, 0}, false},
    {ImGuiStyleVar_GrabMinSize, {0.6f, 0}, false},
    {ImGuiStyleVar_FrameRounding, {0.18f, 0}, false},
    {ImGuiStyleVar_PopupRounding, {0.25f, 0}, false},
    {ImGuiStyleVar_ChildRounding, {0.25f, 0}, false},
    {ImGuiStyleVar_ScrollbarRounding, {0.3f, 0}, false},
    {ImGuiStyleVar_WindowBorderSize, {0, 0}, false},
    {ImGuiStyleVar_FrameBorderSize, {0, 0}, false},
};

struct StyleColor {
  ImGuiCol index;
  ImU32 value;
};

using editor_colors::rgba;

constexpr StyleColor style_colors[] = {
    {ImGuiCol_Text, rgba(236, 240, 250)},
    {ImGuiCol_TextDisabled, editor_colors::dim},
    {ImGuiCol_ChildBg, rgba(0, 0, 0, 0)},
    {ImGuiCol_PopupBg, rgba(16, 24, 52, 252)},
    {ImGuiCol_Border, rgba(255, 255, 255, 36)},
    {ImGuiCol_FrameBg, rgba(26, 38, 76)},
    {ImGuiCol_FrameBgHovered, rgba(36, 52, 102)},
    {ImGuiCol_FrameBgActive, rgba(44, 64, 124)},
    {ImGuiCol_Button, rgba(32, 48, 96)},
    {ImGuiCol_ButtonHovered, rgba(50, 74, 138)},
    {ImGuiCol_ButtonActive, rgba(66, 96, 170)},
    {ImGuiCol_Header, rgba(255, 204, 0, 46)},
    {ImGuiCol_HeaderHovered, rgba(255, 255, 255, 22)},
    {ImGuiCol_HeaderActive, rgba(255, 204, 0, 70)},
    {ImGuiCol_CheckMark, editor_colors::accent},
    {ImGuiCol_SliderGrab, editor_colors::accent},
    {ImGuiCol_SliderGrabActive, editor_colors::accent},
    {ImGuiCol_ScrollbarBg, rgba(0, 0, 0, 0)},
    {ImGuiCol_ScrollbarGrab, rgba(255, 255, 255, 40)},
    {ImGuiCol_ScrollbarGrabHovered, rgba(255, 255, 255, 70)},
    {ImGuiCol_ScrollbarGrabActive, rgba(255, 204, 0, 140)},
    {ImGuiCol_Separator, rgba(255, 255, 255, 30)},
    {ImGuiCol_TableHeaderBg, rgba(22, 32, 66)},
    {ImGuiCol_TableBorderLight, rgba(255, 255, 255, 18)},
    {ImGuiCol_TableBorderStrong, rgba(255, 255, 255, 30)},
    {ImGuiCol_TableRowBg, rgba(0, 0, 0, 0)},
    {ImGuiCol_TableRowBgAlt, rgba(255, 255, 255, 8)},
    {ImGuiCol_TextSelectedBg, rgba(255, 204, 0, 90)},
    {ImGuiCol_DragDropTarget, editor_colors::accent},
    {ImGuiCol_NavCursor, editor_colors::accent},
};

}  // namespace

EditorStyleScope::EditorStyleScope(const EditorMetrics& metrics) {
  for (const StyleVarValue& v : style_vars) {
    if (v.pair) {
      ImGui::PushStyleVar(v.var, ImVec2(v.value.x * metrics.s, v.value.y * metrics.s));
    } else {
      ImGui::PushStyleVar(v.var, v.value.x * metrics.s);
    }
    ++vars_;
  }
  for (const StyleColor& c : style_colors) {
    ImGui::PushStyleColor(c.index, c.value);
    ++colors_;
  }
  ImGui::PushFont(metrics.font, metrics.s);
}

EditorStyleScope::~EditorStyleScope() {
  ImGui::PopFont();
  ImGui::PopStyleColor(colors_);
  ImGui::PopStyleVar(vars_);
}

}  // namespace korvix
