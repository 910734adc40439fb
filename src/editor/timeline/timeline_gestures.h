// The timeline's mouse and wheel for one frame, apart from drawing: the wheel
// zooms or pans, a press, hold and release drive the drag, a drag held past
// an edge scrolls the view, and while playing the view follows the playhead.
#pragma once

#include "editor/style/editor_sizes.h"
#include "editor/timeline/timeline_drag.h"
#include "editor/timeline/timeline_layout.h"

namespace korvix {

class EditorDocument;

inline constexpr double drag_start_px = 1;  // a press must move this far before it drags

// The mouse over the timeline this frame, as the interface library saw it.
struct TimelinePointer {
  double x = 0, y = 0;
  bool hovered = false;  // over the timeline
  double wheel = 0;      // notches forward (negative: back)
  double wheel_h = 0;    // a horizontal wheel's notches
  bool shift = false, alt = false;
  bool pressed = false;  // pressed on the timeline this frame
  bool double_click = false;
  bool dragging = false;  // held since that press and moved past drag_start_px
  bool released = false;  // let go after that press
};

struct TimelineGestures {
  TimelineView view;     // the view this frame shows
  TimelineHit hover;     // under the mouse in the lines band, while nothing is dragged
  bool changed = false;  // the clip changed (a line added or moved)
  bool resize_cursor = false;
};

// One frame of the timeline of the document's selected clip, laid out in
// `bands`, from the view the document kept.
TimelineGestures run_timeline_gestures(const TimelinePointer& pointer, TimelineView view, const TimelineBands& bands,
                                       double span_ms, const EditorSizes& sizes, TimelineDrag& drag,
                                       const Transport& player, const EditorDocument& document);

}  // namespace korvix
