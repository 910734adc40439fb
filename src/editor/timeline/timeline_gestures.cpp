#include "editor/timeline/timeline_gestures.h"

#include "editor/document/editor_document.h"

namespace korvix {

TimelineGestures run_timeline_gestures(const TimelinePointer& pointer, TimelineView view, const TimelineBands& bands,
                                       double span_ms, const EditorSizes& sizes, TimelineDrag& drag,
                                       const Transport& player, const EditorDocument& document) {
  const double left = bands.whole.x0, width = bands.whole.width();
  TimelineGestures out;
  // The wheel zooms about the pointer; Shift or a horizontal wheel pans.
  if (pointer.hovered && (pointer.wheel != 0 || pointer.wheel_h != 0)) {
    if (pointer.shift || pointer.wheel_h != 0)
      view = pan_view(view, pointer.wheel_h != 0 ? pointer.wheel_h : pointer.wheel, span_ms);
    else
      view = zoom_view(view, pointer.wheel, pointer.x, left, width, span_ms);
  }

  const TimeAxis axis{left, width, view.start_ms, view.width_ms};
  const bool in_lines = bands.lines.contains(pointer.x, pointer.y);
  if (pointer.hovered && in_lines && !drag.active())
    out.hover = hit_test(document.selected()->lines, axis, pointer.x, sizes.px(edge_tolerance_px));
  const TimelineFrame frame{axis, span_ms, sizes, axis.time_at(pointer.x)};
  if (pointer.pressed) out.changed |= drag.press(frame, out.hover, pointer.double_click, in_lines);
  // A press that doesn't move is a click: the line keeps its times.
  if (pointer.dragging && drag.active()) {
    out.changed |= drag.hold(frame, pointer.alt);
    view = edge_scroll(view, pointer.x, left, width, span_ms);
  }
  if (pointer.released) drag.release();
  if (player.playing() && !drag.active()) view = follow_playhead(view, document.playhead_ms, span_ms);
  out.resize_cursor = resizes(drag.active() ? drag.mode() : out.hover.mode);
  out.view = view;
  return out;
}

}  // namespace korvix
