// The timeline's mouse gestures as a state machine over the document: press,
// hold and release turn into scrubbing, a line's edges or body dragged with
// snapping, a shared boundary moved, a line added or played.
//
// A line drag is one edit gesture: the document's snapshot is taken at the
// press and kept as one undo step at the release only when the drag changed
// something. Times are worked out in signed 64-bit milliseconds; where a
// minimum length would push a bound past the other (a short or wrong line),
// the lower bound wins; the document clamps into the file's range when it
// stores them.
#pragma once

#include <cstdint>

#include "editor/document/transport.h"
#include "editor/style/editor_sizes.h"
#include "editor/timeline/timeline_hit.h"
#include "editor/timeline/timeline_view.h"

namespace korvix {

class EditorDocument;

inline constexpr int64_t line_min_ms = 100;   // a dragged line never gets shorter
inline constexpr double scrub_sound_ms = 85;  // an end edge is heard up to the end

// Where the gesture happens this frame.
struct TimelineFrame {
  TimeAxis axis;        // the timeline's strip and view
  double span_ms = 0;   // D
  EditorSizes sizes;    // the editor scale
  double mouse_ms = 0;  // the time under the mouse, not clamped
};

class TimelineDrag {
 public:
  TimelineDrag(EditorDocument& document, Transport& player) : document_(document), player_(player) {}

  // A press on the timeline with `hit` under the mouse (hit testing happens
  // only inside the lines band). True when the document changed: a
  // double-click in an empty spot of the lines band adds a line there.
  bool press(const TimelineFrame& frame, const TimelineHit& hit, bool double_click, bool in_lines_band);
  // Each frame the button stays down; `alt` turns snapping off. True when a
  // line's times changed.
  bool hold(const TimelineFrame& frame, bool alt);
  // The button went up: a scrub that interrupted playing resumes it; a line
  // drag puts the lines in time order, keeps the dragged line picked and
  // ends the edit gesture.
  void release();

  // A drag ends with its clip: once another clip is selected, or the player
  // left the editor, it is gone, with nothing resumed or sorted.
  bool active() const;
  DragMode mode() const { return active() ? mode_ : DragMode::none; }
  int line() const { return line_; }
  BoundarySide side() const { return side_; }
  int boundary() const { return boundary_; }

 private:
  bool drag_line(const TimelineFrame& frame, bool alt);

  EditorDocument& document_;
  Transport& player_;
  DragMode mode_ = DragMode::none;
  int line_ = -1;
  int boundary_ = -1;
  BoundarySide side_ = BoundarySide::both;
  double grab_offset_ms_ = 0;
  double snap_playhead_ms_ = 0;
  // D when the drag began: a line's end grows D as it moves, so an end edge
  // held past D would otherwise push it 250 ms further every frame.
  double span_ms_ = 0;
  bool resume_after_scrub_ = false;
  uint64_t clip_serial_ = 0;  // the document's selection when pressed
};

// Each drag's arithmetic, in whole signed milliseconds; t is the snapped
// mouse time. Where the bounds cross, the lower one wins.
int64_t clamp_low_wins(int64_t value, int64_t low, int64_t high);
int64_t dragged_start(int64_t t, int64_t end);                                 // 0 .. end − 100
int64_t dragged_end(int64_t t, int64_t start, int64_t span);                   // start + 100 .. D
int64_t dragged_boundary(int64_t t, int64_t first_start, int64_t second_end);  // both lines keep 100
// A moved line's new start: p the proposed start, a and e the snap shifts of
// its start and end (the end's when the start's is 0, or when it is not 0 and
// smaller), kept so that the whole line stays within 0 .. D.
int64_t moved_start(int64_t p, double start_shift, double end_shift, int64_t length, int64_t span);

}  // namespace korvix
