// The timeline's place in the right pane: the timeline with its overview strip
// and the preview under it, between the speakers panel and the line table.
#pragma once

namespace korvix {

struct EditorFrame;

// Draws the area and handles its gestures; true when they changed the clip
// (the caller treats it as a widget's edit).
bool draw_timeline_area(EditorFrame& frame);

}  // namespace korvix
