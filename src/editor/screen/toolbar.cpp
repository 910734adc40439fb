// The toolbar: title and path, filter and search, Save, Undo, Redo, the text
// size, Back; and the status line under it.
#include <imgui_internal.h>

#include <algorithm>
#include <string>

#include "base/utf8.h"
#include "platform/paths.h"
#include "editor/screen/editor_frame.h"
#include "editor/screen/editor_widgets.h"

namespace korvix {

namespace {

constexpr size_t search_max_bytes = 127;
constexpr const char* search_hint = "Search the words or the sound";

void draw_title(const EditorFrame& frame) {
  ImGui::PushFont(nullptr, 1.4f * frame.m.s);
  ImGui::PushStyleColor(ImGuiCol_Text, editor_colors::accent);
  ImGui::TextUnformatted("Subtitle editor");
  ImGui::PopStyleColor();
  ImGui::PopFont();
}

float title_width(const EditorFrame& frame) {
  ImGui::PushFont(nullptr, 1.4f * frame.m.s);
  float width = ImGui::CalcTextSize("Subtitle editor").x;
  ImGui::PopFont();
  return width;
}

// The path, its start cut off ("...") when it doesn't fit `width`.
void draw_path(const std::string& path, float width) {
  ImVec2 at = ImGui::GetCursorScreenPos();
  float height = ImGui::GetFrameHeight();
  ImGui::Dummy(ImVec2(width, height));
  ImGui::SetItemTooltip("%s", path.c_str());
  float text_y = at.y + ImGui::GetStyle().FramePadding.y;
  const char* begin = path.c_str();
  const char* end = begin + path.size();
  ImDrawList* draw = ImGui::GetWindowDrawList();
  if (ImGui::CalcTextSize(begin, end).x <= width) {
    draw->AddText(ImVec2(at.x, text_y), editor_colors::dim, begin, end);
    return;
  }
  float dots = ImGui::CalcTextSize("...").x;
  // Drop whole characters from the front until the rest fits after "...".
  while (begin < end && dots + ImGui::CalcTextSize(begin, end).x > width) {
    ++begin;
    while (begin < end && is_utf8_continuation(*begin)) ++begin;
  }
  draw->AddText(ImVec2(at.x, text_y), editor_colors::dim, "...");
  draw->AddText(ImVec2(at.x + dots, text_y), editor_colors::dim, begin, end);
}

void draw_filter(EditorFrame& frame) {
  int filter = static_cast<int>(frame.screen.filter);
  ImGui::SetNextItemWidth(frame.m.px(150));
  if (ImGui::Combo("##filter", &filter, clip_filter_names.data(), static_cast<int>(clip_filter_names.size()))) {
    frame.screen.filter = static_cast<ClipFilter>(filter);
  }
}

void draw_search(EditorFrame& frame) {
  FindBar& find = frame.screen.find;
  ImGui::SetNextItemWidth(frame.m.px(260));
  if (find.focus_search) {
    ImGui::SetKeyboardFocusHere();
    find.focus_search = false;
  }
  input_string("##search", frame.screen.search, search_max_bytes, ImGuiInputTextFlags_None, search_hint);
  find.field_active = ImGui::IsItemActive();
  // Enter, as in any find box: the keyboard leaves the field for the first match.
  const bool enter = ImGui::IsKeyPressed(ImGuiKey_Enter) || ImGui::IsKeyPressed(ImGuiKey_KeypadEnter);
  if (ImGui::IsItemDeactivated() && enter && !frame.screen.search.empty()) {
    step_to_match(frame, +1);
  }
}

// The controls after the path, left to right. True when Back left.
bool draw_controls(EditorFrame& frame, FlowRow& row) {
  EditorDocument& document = frame.document;
  const float spacing = ImGui::GetStyle().ItemSpacing.x;
  row.place(frame.m.px(150));
  draw_filter(frame);
  row.place(frame.m.px(260));
  draw_search(frame);

  const char* save = document.dirty() ? "Save###save" : "Saved###save";
  row.place(button_width(save) + spacing + button_width("Undo") + spacing + button_width("Redo"));
  ImGui::BeginDisabled(!document.dirty());
  if (ImGui::Button(save)) document.save();
  ImGui::EndDisabled();
  ImGui::SameLine();
  ImGui::BeginDisabled(!document.can_undo());
  if (ImGui::Button("Undo")) document.undo();
  ImGui::EndDisabled();
  ImGui::SameLine();
  ImGui::BeginDisabled(!document.can_redo());
  if (ImGui::Button("Redo")) document.redo();
  ImGui::EndDisabled();

  row.place(button_width("A-") + spacing + button_width("A+"));
  if (button_with_tooltip("A-", "Smaller (Ctrl+-)")) change_text_scale(frame, -1);
  ImGui::SameLine();
  if (button_with_tooltip("A+", "Bigger (Ctrl+=; Ctrl+0: as it was)")) change_text_scale(frame, +1);

  row.place(button_width("Back"));
  return ImGui::Button("Back") && document.try_leave();
}

float controls_width(const EditorFrame& frame) {
  const float spacing = ImGui::GetStyle().ItemSpacing.x;
  float width = frame.m.px(150) + frame.m.px(260);
  for (const char* label : {"Saved", "Undo", "Redo", "A-", "A+", "Back"}) width += button_width(label);
  return width + 7 * spacing;
}

}  // namespace

bool draw_toolbar(EditorFrame& frame) {
  const float spacing = ImGui::GetStyle().ItemSpacing.x;
  const float available = ImGui::GetContentRegionAvail().x;
  std::string path = path_to_text(frame.document.file_path()).value_or("");

  draw_title(frame);
  ImGui::SameLine(0, frame.m.s);
  // The path takes what the controls leave on the row, down to a few words'
  // worth; when even that doesn't fit, the controls go on the next row.
  float used = title_width(frame) + frame.m.s;
  float path_room = available - used - controls_width(frame) - 2 * spacing;
  float path_width = std::min(ImGui::CalcTextSize(path.c_str()).x, path_room);
  bool one_row = path_room >= 8 * frame.m.s;
  if (!one_row) path_width = std::max(0.0f, available - used);
  draw_path(path, path_width);

  FlowRow row;
  if (one_row) {
    ImGui::SameLine();
    ImGui::SetCursorPosX(ImGui::GetCursorPosX() + std::max(0.0f, path_room - path_width));
  }
  return draw_controls(frame, row);
}

void draw_status_line(EditorFrame& frame) {
  if (frame.document.status.empty()) return;
  ImGui::PushStyleColor(ImGuiCol_Text, editor_colors::accent);
  ImGui::TextWrapped("%s", frame.document.status.c_str());
  ImGui::PopStyleColor();
}

}  // namespace korvix
