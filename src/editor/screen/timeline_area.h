// The timeline's place in the right pane: the timeline with its overview strip
// and the preview under it, between the speakers panel and the line table.
// The pane reserves the rectangle; this draws into it and handles its gestures.
#pragma once

#include <imgui_internal.h>

namespace korvix {

struct EditorFrame;

// Once a frame before the area's height is asked: the movie picture under
// the playhead, decoded and uploaded when it changed.
void prepare_timeline_area(EditorFrame& frame);

// The height the area takes at the pane's width.
float timeline_area_height(const EditorFrame& frame, float width);

// Draws the area into `area` (screen coordinates) and handles its gestures;
// true when they changed the clip (the caller treats it as a widget's edit).
bool draw_timeline_area(EditorFrame& frame, const ImRect& area);

}  // namespace korvix
