#include "editor/screen/timeline_area.h"

#include "editor/screen/editor_frame.h"

namespace korvix {

void prepare_timeline_area(EditorFrame& frame) { frame.timeline.prepare_picture(); }

float timeline_area_height(const EditorFrame& frame, float width) {
  return frame.timeline.area_height(frame.m, width, ImGui::GetContentRegionAvail().y);
}

bool draw_timeline_area(EditorFrame& frame, const ImRect& area) {
  return frame.timeline.draw_area(frame.m, area.Min.x, area.Min.y, area.GetWidth());
}

}  // namespace korvix
