// The editor screen's frame: the media's tick, the toolbar and status line,
// the clip list and the right pane with the splitter between them, the
// shortcuts, and editor.txt written once a splitter is let go.
#include "editor/draw_editor.h"

#include <imgui_internal.h>

#include "editor/screen/editor_frame.h"
#include "editor/subtitle_editor.h"

namespace korvix {

namespace {

constexpr ImGuiWindowFlags full_window_flags =
    ImGuiWindowFlags_NoTitleBar | ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoCollapse |
    ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoNav | ImGuiWindowFlags_NoBackground |
    ImGuiWindowFlags_NoScrollbar | ImGuiWindowFlags_NoScrollWithMouse;

// The splitter "##split" between the list and the right pane: dragged, it
// moves the list's edge; editor.txt follows when the mouse is let go.
void draw_list_splitter(EditorFrame& frame, float height) {
  const float width = frame.m.px(8);
  ImVec2 at = ImGui::GetCursorScreenPos();
  ImGui::InvisibleButton("##split", ImVec2(width, height));
  bool held = ImGui::IsItemActive();
  bool hovered = ImGui::IsItemHovered();
  if (held || hovered) ImGui::SetMouseCursor(ImGuiMouseCursor_ResizeEW);
  if (held && ImGui::GetIO().MouseDelta.x != 0) {
    EditorView& view = frame.document.view;
    view.list_width = dragged_list_width(view.list_width, ImGui::GetIO().MouseDelta.x, frame.m.window.x);
    frame.screen.view_changed = true;
  }
  float x = at.x + width * 0.5f;
  ImGui::GetWindowDrawList()->AddLine(ImVec2(x, at.y + 0.45f * height), ImVec2(x, at.y + 0.55f * height),
                                      held || hovered ? editor_colors::accent : editor_colors::dim, frame.m.px(2));
}

void save_view_once_let_go(EditorFrame& frame) {
  if (frame.screen.view_changed && !ImGui::IsMouseDown(ImGuiMouseButton_Left)) {
    frame.screen.view_changed = false;
    frame.document.save_view();
  }
}

}  // namespace

void draw_panes(EditorFrame& frame) {
  ImVec2 available = ImGui::GetContentRegionAvail();
  const float spacing = ImGui::GetStyle().ItemSpacing.x;
  float list_width = frame.document.view.list_width * frame.m.window.x;
  ImGui::PushStyleVar(ImGuiStyleVar_ItemSpacing, ImVec2(0, ImGui::GetStyle().ItemSpacing.y));
  draw_clip_list(frame, ImVec2(list_width - spacing, available.y));
  ImGui::SameLine(0, spacing * 0.5f);
  draw_list_splitter(frame, available.y);
  ImGui::SameLine(0, spacing * 0.5f);
  ImGui::PopStyleVar();
  ImGui::BeginChild("##clip", ImVec2(0, available.y));
  draw_clip_pane(frame);
  ImGui::EndChild();
}

bool draw_editor(SubtitleEditor& editor, float scale, ImFont* font) {
  editor.media.tick();
  editor.timeline.tick();
  ImGuiViewport* viewport = ImGui::GetMainViewport();
  const EditorMetrics metrics = editor_metrics(scale, viewport->Size, font);
  EditorFrame frame(editor, metrics);
  EditorStyleScope style(metrics);

  if (editor.screen.close_popups) {
    ImGui::ClosePopupsExceptModals();
    editor.screen.close_popups = false;
  }
  ImGui::SetNextWindowPos(viewport->Pos);
  ImGui::SetNextWindowSize(viewport->Size);
  ImGui::Begin("##editor", nullptr, full_window_flags);
  ImGui::GetWindowDrawList()->AddRectFilled(viewport->Pos, offset(viewport->Pos, viewport->Size.x, viewport->Size.y),
                                            editor_colors::background);

  bool left = draw_toolbar(frame);
  if (!left) {
    draw_replace_row(frame);
    draw_status_line(frame);
    draw_panes(frame);
    if (frame.widget_edited) frame.document.status.clear();
    run_shortcuts(frame);
    save_view_once_let_go(frame);
  }
  editor.screen.popup_open = !left && ImGui::IsPopupOpen("", ImGuiPopupFlags_AnyPopupId | ImGuiPopupFlags_AnyPopupLevel);
  ImGui::End();
  return left;
}

}  // namespace korvix
